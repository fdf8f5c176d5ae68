// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// draw_state.h: the only state the draw logic keeps of its own; the board holds the rest.
#pragma once

#include "small_int.h"

namespace lotto {

struct DrawState {
  SmallInt drawnCount = 0;      // result slots filled in this game, 0..7
  SmallInt candidateIndex = 0;  // ball lit by the last tick; the ball the next draw takes
};

}  // namespace lotto
