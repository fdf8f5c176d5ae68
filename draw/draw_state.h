// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// draw_state.h: the only state the draw logic keeps of its own; the board holds the rest.
#pragma once

#include "small_int.h"

namespace lotto {

struct DrawState {
  SmallInt drawnCount = 0;      // result slots filled in this game, 0..7
  SmallInt candidateIndex = 0;  // ball lit by the last tick; the ball the next draw takes
  // Whether candidateIndex was rolled over the board as it is now. A draw or 清除 changes the board,
  // and a click can reach 開獎 before the next tick (at start too), when candidateIndex still names a
  // ball fixed before the press: the one just drawn, or the last game's special number, or ball 0.
  bool candidateRolled = false;
};

}  // namespace lotto
