// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// games_in_progress.h: brings a game to a chosen number of drawn balls before its ticks are timed.
#pragma once

#include <cstdint>

#include "draw_logic.h"

namespace lotto {

// Draws `count` balls, each after one tick, and leaves the light rolling again as Next does.
inline void drawBallsBeforeTiming(DrawLogic& logic, std::int64_t count) {
  for (std::int64_t drawn = 0; drawn < count; ++drawn) {
    logic.Timer1_Timer();
    logic.Command2_Click();
    logic.Command1_Click();
  }
}

}  // namespace lotto
