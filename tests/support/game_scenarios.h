// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_scenarios.h: the games every layer plays, as presses and the lit ball each draw takes, followed through the
// state table; each layer's test drives them its own way (calls, clicks, keys) and adds what it owns.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "expected_states.h"

namespace lotto::testing {

enum class Press { Next, Draw, Clear };

struct Step {
  Press press;
  int lit = -1;  // the ball a tick lights just before the press, -1 for no tick
};

struct GameScenario {
  const char* name;
  std::vector<Step> steps;
};

inline const std::vector<GameScenario> kGameScenarios = {
    // Seven draws, greyed buttons pressed on the way, then a new game that draws the last game's numbers again.
    {"WholeGameThenANewOne",
     {{Press::Draw, 6}, {Press::Draw},    {Press::Next},     {Press::Draw, 41}, {Press::Next},
      {Press::Draw, 0}, {Press::Next},    {Press::Draw, 19}, {Press::Next},     {Press::Draw, 33},
      {Press::Next},    {Press::Draw, 8}, {Press::Next},     {Press::Draw, 27}, {Press::Draw},
      {Press::Next},    {Press::Clear},   {Press::Draw, 6},  {Press::Next},     {Press::Draw, 41}}},
    // 清除 in mid-game just after a tick: the lit ball stays the one a draw would take.
    {"ClearInMidGame",
     {{Press::Draw, 3},
      {Press::Next},
      {Press::Draw, 17},
      {Press::Next},
      {Press::Draw, 30},
      {Press::Next},
      {Press::Clear, 22}}},
    // Next twice is Next once; 清除 after a single draw starts a new game all the same.
    {"NextTwiceThenClear", {{Press::Draw, 12}, {Press::Next}, {Press::Next}, {Press::Clear}}},
};

inline void PrintTo(const GameScenario& game, std::ostream* out) { *out << game.name; }
inline std::string scenarioName(const ::testing::TestParamInfo<GameScenario>& info) { return info.param.name; }

// Where a game stands, as the state table and the presses tell it: a greyed button does nothing, 開獎 leads to the
// result's row on the seventh draw and to the draw's before, Next to the running row, 清除 to the cleared one.
struct GameSoFar {
  Phase phase = Phase::Opened;
  std::vector<int> drawn;  // the balls drawn, in their slots' order
  int lit = -1;            // the ball the last tick lit

  // Follows `step`; true when its press was not greyed.
  bool follow(const Step& step) {
    const ExpectedState row = expectedState(phase);
    const bool enabled = step.press == Press::Draw ? row.draw : step.press == Press::Next ? row.next : row.clear;
    if (step.lit >= 0) lit = step.lit;
    if (enabled && step.press == Press::Draw) drawn.push_back(lit);
    if (enabled && step.press == Press::Clear) drawn.clear();
    if (enabled) {
      phase = step.press == Press::Next    ? Phase::Running
              : step.press == Press::Clear ? Phase::Cleared
              : drawn.size() == 7          ? Phase::Finished
                                           : Phase::AfterDraw;
    }
    return enabled;
  }
  bool isDrawn(int ball) const { return std::find(drawn.begin(), drawn.end(), ball) != drawn.end(); }
};

// A ball's number as the design writes it: "1" to "42".
inline std::u16string numberOf(int ball) { return utf16(std::to_string(ball + 1)); }

// The text a slot shows: its drawn number, or its heading.
inline std::u16string slotText(const GameSoFar& game, int slot) {
  return slot < static_cast<int>(game.drawn.size()) ? numberOf(game.drawn[slot]) : kSlotHeadings[slot];
}

}  // namespace lotto::testing
