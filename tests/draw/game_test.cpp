// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_test.cpp: the draw procedures on a recording board: a whole game, the roll's exclusion, clear, bad states.
#include <gtest/gtest.h>

#include <algorithm>

#include "draw_logic.h"
#include "expected_states.h"
#include "game_scenarios.h"
#include "recording_board_view.h"
#include "scripted_random_source.h"

namespace lotto {
namespace {

using testing::kSlotHeadings;
using testing::Phase;
using testing::Press;
using testing::RecordingBoardView;
using testing::ScriptedRandomSource;

class DrawLogicTest : public ::testing::Test {
 protected:
  DrawLogicTest() : logic(board, random) { logic.Form_Load(); }

  int navyCount() const {
    return static_cast<int>(std::count_if(board.discs.begin(), board.discs.begin() + kBallCount,
                                          [](const auto& disc) { return disc.colour == kBallLit; }));
  }
  std::u16string slot(int k) const { return board.labels[kFirstSlotLabel + k].text; }
  bool ballOnBoard(int ball) const { return board.labels[ball].visible && board.discs[ball].visible; }

  // The state table's row for `phase`: which buttons are enabled, whether the roll runs, and the instruction line.
  void expectState(Phase phase) const {
    const testing::ExpectedState want = testing::expectedState(phase);
    const char* when = testing::phaseName(phase);
    EXPECT_EQ(board.enabled(Button::Command1), want.next) << "Next, " << when;
    EXPECT_EQ(board.enabled(Button::Command2), want.draw) << "開獎, " << when;
    EXPECT_EQ(board.enabled(Button::Command3), want.clear) << "清除, " << when;
    EXPECT_EQ(board.timerEnabled, want.rolling) << "roll, " << when;
    EXPECT_EQ(board.timerInterval, testing::kRollIntervalMs) << when;
    EXPECT_TRUE(board.instruction == want.line) << when;
  }

  RecordingBoardView board;
  ScriptedRandomSource random;
  DrawLogic logic;
};

class DrawLogicGameTest : public DrawLogicTest, public ::testing::WithParamInterface<testing::GameScenario> {};

// Each game on the recording board: after each press the state table's row, the slots, and every ball on the board
// but the drawn ones, each keeping its number.
TEST_P(DrawLogicGameTest, FollowsTheStateTable) {
  testing::GameSoFar game;
  for (const testing::Step& step : GetParam().steps) {
    if (step.lit >= 0) {
      random.playBalls({step.lit});
      logic.Timer1_Timer();
      ASSERT_EQ(logic.state().candidateIndex, step.lit);
    }
    // A greyed button delivers nothing; but Next, should it be reached after the seventh draw, must not re-arm 開獎
    // nor change the line (what it does to the roll, 清除 undoes next).
    const bool delivered = game.follow(step);
    if (!delivered && step.press == Press::Next) {
      ASSERT_EQ(game.phase, Phase::Finished);
      logic.Command1_Click();
      EXPECT_FALSE(board.enabled(Button::Command2));
      EXPECT_TRUE(board.instruction == testing::expectedState(Phase::Finished).line);
    } else if (delivered) {
      switch (step.press) {
        case Press::Next:
          logic.Command1_Click();
          break;
        case Press::Draw:
          logic.Command2_Click();
          break;
        case Press::Clear:
          logic.Command3_Click();
          break;
      }
    }
    if (delivered || step.press != Press::Next) expectState(game.phase);
    EXPECT_EQ(logic.state().drawnCount, static_cast<int>(game.drawn.size()));
    for (int k = 0; k < kSlotCount; ++k) {
      EXPECT_TRUE(slot(k) == testing::slotText(game, k)) << "slot " << k;
    }
    for (int ball = 0; ball < kBallCount; ++ball) {
      EXPECT_TRUE(board.labels[ball].text == testing::numberOf(ball)) << "ball " << ball;
      EXPECT_EQ(ballOnBoard(ball), !game.isDrawn(ball)) << "ball " << ball;
      if (step.press == Press::Clear) {
        EXPECT_EQ(board.discs[ball].colour, kBallAtRest) << "ball " << ball;
      }
    }
    if (step.press == Press::Clear) {
      EXPECT_EQ(logic.state().candidateIndex, game.lit) << "清除 keeps the lit ball";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Games, DrawLogicGameTest, ::testing::ValuesIn(testing::kGameScenarios), testing::scenarioName);

TEST(RollTest, ATickLightsExactlyOneBallThatIsStillOnTheBoard) {
  RecordingBoardView board;
  ScriptedRandomSource random({}, 20261207);
  DrawLogic logic(board, random);
  logic.Form_Load();
  for (int tick = 0; tick < 2000; ++tick) {
    if (tick % 300 == 299 && logic.state().drawnCount < 6) {
      logic.Command2_Click();
      logic.Command1_Click();
    }
    logic.Timer1_Timer();
    int navy = 0;
    for (int ball = 0; ball < kBallCount; ++ball) {
      if (board.discs[ball].colour == kBallLit) {
        ++navy;
        EXPECT_EQ(ball, logic.state().candidateIndex);
        EXPECT_TRUE(board.discs[ball].visible) << "seed 20261207, tick " << tick;
      }
    }
    ASSERT_EQ(navy, 1) << "seed 20261207, tick " << tick;
  }
}

TEST_F(DrawLogicTest, ARollOnADrawnNumberRerollsAndRescansFromTheFirstSlot) {
  // Draw 5 then 12; then roll 12 (second slot), 5 (first slot, after a re-roll) and finally 30.
  random.playBalls({5, 12});
  logic.Timer1_Timer();
  logic.Command2_Click();
  logic.Command1_Click();
  logic.Timer1_Timer();
  logic.Command2_Click();
  logic.Command1_Click();
  board.discs[5].colour = kBallLit;  // a stale light on a hidden disc must be repainted orange

  random.playBalls({12, 5, 30});
  const int callsBefore = random.calls;
  logic.Timer1_Timer();
  EXPECT_EQ(random.calls - callsBefore, 3);
  EXPECT_EQ(logic.state().candidateIndex, 30);
  EXPECT_EQ(board.discs[30].colour, kBallLit);
  EXPECT_EQ(board.discs[12].colour, kBallAtRest);
  EXPECT_EQ(board.discs[5].colour, kBallAtRest);
  EXPECT_FALSE(board.discs[5].visible);
  EXPECT_FALSE(board.discs[12].visible);
}

TEST_F(DrawLogicTest, TwoTicksInARowMayLightTheSameBall) {
  random.playBalls({7, 7});
  logic.Timer1_Timer();
  logic.Timer1_Timer();
  EXPECT_EQ(logic.state().candidateIndex, 7);
  EXPECT_EQ(navyCount(), 1);
}

// A click that beats the first tick since the board last changed (at start, after a draw and Next,
// after 清除) rolls over the balls on the board first, exactly as a tick would.
TEST_F(DrawLogicTest, ADrawThatBeatsTheFirstTickTakesABallRolledOverTheBoardAsItIs) {
  random.playBalls({25});
  logic.Command2_Click();  // at start: not ball 0, which no roll chose
  EXPECT_TRUE(slot(0) == u"26");
  EXPECT_FALSE(ballOnBoard(25));
  expectState(Phase::AfterDraw);

  logic.Command1_Click();
  random.playBalls({25, 8});
  logic.Command2_Click();
  EXPECT_TRUE(slot(1) == u"9") << "the draw rolled past the drawn 26 and took 9";
  EXPECT_FALSE(ballOnBoard(8));

  logic.Command1_Click();
  random.playBalls({30});
  logic.Timer1_Timer();
  logic.Command1_Click();  // Next again changes no ball: the lit 31 is still the one to take
  logic.Command2_Click();
  EXPECT_TRUE(slot(2) == u"31");

  logic.Command3_Click();  // a new game: 31, the last ball taken, is back on the board
  random.playBalls({4});
  logic.Command2_Click();
  EXPECT_TRUE(slot(0) == u"5") << "not the last game's 31";
  EXPECT_EQ(random.remaining(), 0u);
  EXPECT_EQ(logic.state().drawnCount, 1);
}

TEST_F(DrawLogicTest, ByeEndsTheProgramAndTouchesNothingElse) {
  const RecordingBoardView before = board;
  logic.Command4_Click();
  EXPECT_EQ(board.endCalls, 1);
  EXPECT_EQ(board.buttonEnabled, before.buttonEnabled);
  EXPECT_EQ(board.timerEnabled, before.timerEnabled);
}

TEST(SmallIntTest, ArithmeticRaisesOverflowInsteadOfWrapping) {
  EXPECT_EQ(add16(32766, 1), 32767);
  EXPECT_EQ(add16(-32767, -1), -32768);
  try {
    add16(32767, 1);
    FAIL() << "no overflow raised";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.number(), ErrorNumber::Overflow);
  }
  EXPECT_THROW(toSmallInt(-32769), RunTimeError);
}

// Every value in [0, 1) the source can give is mapped in fairness_test.cpp; anything else is a run-time error.
TEST(RandomBallIndexTest, RejectsWhatIsNotInTheUnitInterval) {
  EXPECT_THROW(randomBallIndex(1.0f), RunTimeError);
  EXPECT_THROW(randomBallIndex(-0.01f), RunTimeError);
  EXPECT_THROW(randomBallIndex(std::numeric_limits<float>::quiet_NaN()), RunTimeError);
  EXPECT_THROW(randomBallIndex(std::numeric_limits<float>::infinity()), RunTimeError);
}

TEST(RandomSourceTest, ValuesStayBelowOneEvenFromAllOnesBits) {
  EXPECT_LT(unitFloatFromBits(0xFFFFFFFFu), 1.0f);
  EXPECT_EQ(unitFloatFromBits(0u), 0.0f);  // the seeded source's rolls are checked in fairness_test.cpp
}

}  // namespace
}  // namespace lotto
