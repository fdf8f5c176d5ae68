// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_test.cpp: the draw procedures on a recording board: whole games, the roll's exclusion, clear, the texts the
// core writes, bad states.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <utility>

#include "draw_logic.h"
#include "expected_states.h"
#include "game_scenarios.h"
#include "recording_board_view.h"
#include "scripted_random_source.h"

namespace lotto {
namespace {

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
    EXPECT_EQ(testing::stateMismatch(phase, {board.enabled(Button::Command1), board.enabled(Button::Command2),
                                             board.enabled(Button::Command3), true, board.timerEnabled,
                                             board.timerInterval, board.instruction}),
              "");
  }

  RecordingBoardView board;
  ScriptedRandomSource random;
  DrawLogic logic;
};

class DrawLogicGameTest : public DrawLogicTest, public ::testing::WithParamInterface<testing::GameScenario> {};

// Each game on the recording board: after each press the state table's row, the slots, and every ball on the board
// but the drawn ones, each keeping its number.
TEST_P(DrawLogicGameTest, FollowsTheStateTable) {
  using Click = void (DrawLogic::*)();
  constexpr Click kClicks[] = {&DrawLogic::Command1_Click, &DrawLogic::Command2_Click, &DrawLogic::Command3_Click};
  const auto light = [this](int ball) {
    random.playBalls({ball});
    logic.Timer1_Timer();
    ASSERT_EQ(logic.state().candidateIndex, ball);
  };
  testing::walk(GetParam(), light, [this, &kClicks](const testing::Move& move, const testing::GameSoFar& game) {
    // A greyed button delivers nothing; but Next, should it be reached after the seventh draw, must not re-arm 開獎
    // nor change the line (what it does to the roll, 清除 undoes next).
    const bool nextAtTheResult = !move.enabled && move.step.press == Press::Next;
    if (nextAtTheResult) {
      ASSERT_EQ(game.phase, Phase::Finished);
      logic.Command1_Click();
      EXPECT_FALSE(board.enabled(Button::Command2));
      EXPECT_TRUE(board.instruction == testing::expectedState(Phase::Finished).line);
    } else if (move.enabled) {
      (logic.*kClicks[static_cast<int>(move.step.press)])();
    }
    if (!nextAtTheResult) expectState(game.phase);
    testing::expectBoardShows(
        game, move, logic.state(), [this](int label) { return board.labels[label].text; },
        [this](int ball) { return std::make_pair(board.labels[ball].visible, board.discs[ball].visible); },
        [this](int ball) { return board.discs[ball].colour == kBallAtRest; });
  });
}

INSTANTIATE_TEST_SUITE_P(Games, DrawLogicGameTest, ::testing::ValuesIn(testing::kGameScenarios), testing::scenarioName);

// The recording board, noting every text the core writes on it.
class TextNotingBoard : public RecordingBoardView {
 public:
  void setLabelText(SmallInt label, const std::u16string& text) override {
    labelTexts.insert(text);
    RecordingBoardView::setLabelText(label, text);
  }
  void setInstructionText(const std::u16string& text) override {
    instructionTexts.insert(text);
    RecordingBoardView::setInstructionText(text);
  }

  std::set<std::u16string> labelTexts, instructionTexts;
};

// 2,000 ticks over games drawn to their end and cleared: each tick lights exactly one ball still on the board, and
// every text written is in the lists the core exports, from which the page cuts its font (a text missing there
// would show with glyphs missing).
TEST(RollTest, ATickLightsOneBallOnTheBoardAndEveryTextWrittenIsInTheCoresLists) {
  TextNotingBoard board;
  ScriptedRandomSource random({}, 20261207);
  DrawLogic logic(board, random);
  logic.Form_Load();
  for (int tick = 0; tick < 2000; ++tick) {
    if (tick % 100 == 99) {
      logic.Command2_Click();
      logic.state().drawnCount == kSlotCount ? logic.Command3_Click() : logic.Command1_Click();
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

  std::set<std::u16string> labelList(std::begin(texts::kSlotHeadings), std::end(texts::kSlotHeadings));
  for (int number = 1; number <= 42; ++number) {
    labelList.insert(testing::utf16(std::to_string(number)));  // the balls' numbers, written out
  }
  const std::set<std::u16string> instructionList(std::begin(texts::kInstructionTexts),
                                                 std::end(texts::kInstructionTexts));
  for (const std::u16string& text : board.labelTexts) {
    EXPECT_EQ(labelList.count(text), 1u) << "a label text outside the lists, " << text.size() << " code units";
  }
  for (const std::u16string& text : board.instructionTexts) {
    EXPECT_EQ(instructionList.count(text), 1u) << "an instruction text outside kInstructionTexts";
  }
  // The games wrote all three lines, the seven headings back and numbers into the slots.
  EXPECT_EQ(board.instructionTexts.size(), 3u);
  EXPECT_GT(board.labelTexts.size(), 42u);
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

}  // namespace
}  // namespace lotto
