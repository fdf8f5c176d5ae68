// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_scenarios.h: the games the draw, midend and desktop keyboard tests play, as presses and the lit ball each draw
// takes, followed through the state table; each drives them its own way (calls, clicks, keys) and adds what it owns.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "board_view.h"
#include "draw_state.h"
#include "expected_states.h"

namespace lotto::testing {

enum class Press { Next, Draw, Clear };  // in the order of their buttons, Command1 to Command3

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

// One press of a walk: its step, whether its button was enabled, and whether it changes anything (not a greyed
// button, nor Next again).
struct Move {
  const Step& step;
  bool enabled;
  bool changes;
};

// Walks `scenario` through one layer: `light(ball)` delivers the tick that lights `ball`, and `press(move, game)`
// presses the layer's way and checks what the layer owns against `game`, the model after the press.
template <typename Light, typename PressAndCheck>
void walk(const GameScenario& scenario, Light light, PressAndCheck press) {
  GameSoFar game;
  for (const Step& step : scenario.steps) {
    if (step.lit >= 0) light(step.lit);
    const bool again = step.press == Press::Next && game.phase == Phase::Running;
    const bool enabled = game.follow(step);
    press(Move{step, enabled, enabled && !again}, game);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// The board after `move`: the draw count, each slot's number or heading, each ball's number, its label and disc shown
// unless drawn, and after 清除 every ball at rest and the lit ball kept. `caption(label)` reads a label,
// `shown(ball)` its label's and disc's visibility, `atRest(ball)` whether its disc is unlit.
template <typename Caption, typename Shown, typename AtRest>
void expectBoardShows(const GameSoFar& game, const Move& move, const DrawState& state, Caption caption, Shown shown,
                      AtRest atRest) {
  const bool cleared = move.step.press == Press::Clear;
  EXPECT_EQ(state.drawnCount, static_cast<int>(game.drawn.size()));
  for (int k = 0; k < kSlotCount; ++k) {
    EXPECT_TRUE(caption(kFirstSlotLabel + k) == slotText(game, k)) << "slot " << k;
  }
  for (int ball = 0; ball < kBallCount; ++ball) {
    EXPECT_TRUE(caption(ball) == numberOf(ball)) << "ball " << ball;
    EXPECT_EQ(shown(ball), std::make_pair(!game.isDrawn(ball), !game.isDrawn(ball))) << "ball " << ball;
    EXPECT_TRUE(!cleared || atRest(ball)) << "ball " << ball << " still lit after 清除";
  }
  EXPECT_EQ(cleared ? state.candidateIndex : game.lit, game.lit) << "清除 keeps the lit ball";
}

}  // namespace lotto::testing
