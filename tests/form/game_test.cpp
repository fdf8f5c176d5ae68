// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_test.cpp: games played on the real window through mouse clicks, with ticks delivered by its timer.
#include <QWindow>

#include "game_scenarios.h"
#include "program_fixture.h"

namespace lotto {

// The Qt front end's classes, tested here.
using namespace desktop;
namespace {

using testing::kSlotHeadings;
using testing::Phase;
using testing::ProgramTest;

class WindowGameTest : public ProgramTest {
 protected:
  // Lights `ball`, clicks 開獎 and checks the ball moved into slot `k`.
  void drawBall(int ball, int k) {
    tickLighting(ball);
    ASSERT_EQ(program.logic().state().candidateIndex, ball);
    ASSERT_TRUE(ballOnBoard(ball)) << "ball " << ball;
    click(form.Command2);
    EXPECT_EQ(slot(k), QString::number(ball + 1)) << "slot " << k;
    EXPECT_FALSE(form.labelVisible(ball)) << "ball " << ball;
    EXPECT_FALSE(form.discVisible(ball)) << "ball " << ball;
  }
};

TEST_F(WindowGameTest, StartShowsNumberedBallsHeadingsAndTheOpeningState) {
  EXPECT_TRUE(form.isVisible());
  for (int ball = 0; ball < kBallCount; ++ball) {
    EXPECT_EQ(form.labelCaption(ball), QString::number(ball + 1));
    EXPECT_TRUE(ballOnBoard(ball));
  }
  for (int k = 0; k < kSlotCount; ++k) {
    EXPECT_EQ(slot(k), QString::fromStdU16String(kSlotHeadings[k]));
  }
  EXPECT_EQ(litBallCount(), 0);
  EXPECT_EQ(program.logic().state().candidateIndex, 0);
  expectState(Phase::Opened);
  EXPECT_EQ(random.calls, 0);

  QTest::qWait(100);  // the event loop for three beats: the test alone decides when the light moves
  EXPECT_EQ(random.calls, 0);
  EXPECT_EQ(litBallCount(), 0);
  expectState(Phase::Opened);
}

class WindowScenarioTest : public WindowGameTest, public ::testing::WithParamInterface<testing::GameScenario> {};

// Each game by mouse clicks, greyed buttons clicked too: after each click the state table's row, the slots and the
// balls on the board, and no tick but the test's.
TEST_P(WindowScenarioTest, FollowsTheStateTable) {
  testing::GameSoFar game;
  int ticks = 0;
  for (const testing::Step& step : GetParam().steps) {
    if (step.lit >= 0) {
      tickLighting(step.lit);
      ++ticks;
      ASSERT_EQ(program.logic().state().candidateIndex, step.lit);
      ASSERT_TRUE(ballOnBoard(step.lit)) << "ball " << step.lit;
      EXPECT_EQ(litBallCount(), 1);
    }
    const bool again = step.press == testing::Press::Next && game.phase == Phase::Running;
    const bool changes = game.follow(step) && !again;
    const testing::BoardSnapshot before = snapshot();
    click(step.press == testing::Press::Next   ? form.Command1
          : step.press == testing::Press::Draw ? form.Command2
                                               : form.Command3);
    if (!changes) {
      EXPECT_TRUE(snapshot() == before) << "a greyed button, or Next again, changes nothing";
    }
    expectState(game.phase);
    EXPECT_EQ(program.logic().state().drawnCount, static_cast<int>(game.drawn.size()));
    for (int k = 0; k < kSlotCount; ++k) {
      EXPECT_EQ(slot(k), QString::fromStdU16String(testing::slotText(game, k))) << "slot " << k;
    }
    for (int ball = 0; ball < kBallCount; ++ball) {
      EXPECT_EQ(form.labelCaption(ball), QString::number(ball + 1));
      EXPECT_EQ(form.labelVisible(ball), !game.isDrawn(ball)) << "ball " << ball;
      EXPECT_EQ(form.discVisible(ball), !game.isDrawn(ball)) << "ball " << ball;
      if (step.press == testing::Press::Clear) {
        EXPECT_EQ(form.discColour(ball), kBallAtRest) << "ball " << ball;
      }
    }
    if (step.press == testing::Press::Clear) {
      EXPECT_EQ(program.logic().state().candidateIndex, game.lit) << "清除 keeps the lit ball";
    }
  }
  EXPECT_EQ(random.calls, ticks) << "the ticks delivered here, and no real one";
}

INSTANTIATE_TEST_SUITE_P(Games, WindowScenarioTest, ::testing::ValuesIn(testing::kGameScenarios),
                         testing::scenarioName);

TEST_F(WindowGameTest, ByeEndsWithStatusZeroAndNothingRunsAfterIt) {
  drawBall(4, 0);
  click(form.Command1);
  click(form.Command4);
  ASSERT_EQ(end.statuses, std::vector<int>{0});
  EXPECT_TRUE(report.errors.empty());
  expectNothingRunsAfterTheEnd();
}

TEST_F(WindowGameTest, ClosingTheWindowRunsNoProcedureAfterIt) {
  drawBall(20, 0);
  click(form.Command1);
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(random.calls, 1);
  EXPECT_TRUE(end.statuses.empty()) << "closing ends through the toolkit, not through a procedure";
  EXPECT_TRUE(report.errors.empty());
  expectNothingRunsAfterTheEnd();
}

}  // namespace
}  // namespace lotto
