// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_test.cpp: games played on the real window through mouse clicks, with ticks delivered by its timer.
#include <QSet>
#include <QWindow>

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

TEST_F(WindowGameTest, TwoWholeGamesThroughClicksFollowTheStateTable) {
  const int firstGame[] = {6, 41, 0, 19, 33, 8, 27};
  for (int k = 0; k < kSlotCount; ++k) {
    drawBall(firstGame[k], k);
    if (k < kSlotCount - 1) {
      expectState(Phase::AfterDraw);
      click(form.Command2);  // greyed: no click may reach the draw
      EXPECT_EQ(slot(k + 1), QString::fromStdU16String(kSlotHeadings[k + 1]));
      click(form.Command1);
      expectState(Phase::Running);
    }
  }
  expectState(Phase::Finished);
  QSet<QString> slotTexts;
  for (int k = 0; k < kSlotCount; ++k) {
    slotTexts.insert(slot(k));
  }
  QSet<QString> hidden;
  for (int ball = 0; ball < kBallCount; ++ball) {
    if (!ballOnBoard(ball)) {
      hidden.insert(form.labelCaption(ball));
    }
  }
  EXPECT_EQ(slotTexts.size(), kSlotCount);
  EXPECT_EQ(slotTexts, hidden);
  EXPECT_NE(slot(6), QString::fromStdU16String(kSlotHeadings[6]));

  click(form.Command1);  // greyed after the seventh draw
  click(form.Command2);
  expectState(Phase::Finished);

  click(form.Command3);
  expectState(Phase::Cleared);
  for (int ball = 0; ball < kBallCount; ++ball) {
    EXPECT_TRUE(ballOnBoard(ball)) << ball;
  }
  drawBall(6, 0);  // a number of the last game can be drawn again
  click(form.Command1);
  drawBall(41, 1);
  expectState(Phase::AfterDraw);
  EXPECT_EQ(random.calls, kSlotCount + 2);  // the ticks delivered here, and no real one
}

TEST_F(WindowGameTest, ClearInMidGameRestoresTheBoardAndKeepsTheLitBall) {
  drawBall(3, 0);
  click(form.Command1);
  drawBall(17, 1);
  click(form.Command1);
  drawBall(30, 2);
  click(form.Command1);
  tickLighting(22);

  click(form.Command3);
  for (int ball = 0; ball < kBallCount; ++ball) {
    EXPECT_TRUE(ballOnBoard(ball)) << ball;
    EXPECT_EQ(form.labelCaption(ball), QString::number(ball + 1));
    EXPECT_EQ(form.discColour(ball), kBallAtRest) << ball;
  }
  for (int k = 0; k < kSlotCount; ++k) {
    EXPECT_EQ(slot(k), QString::fromStdU16String(kSlotHeadings[k]));
  }
  EXPECT_EQ(program.logic().state().drawnCount, 0);
  EXPECT_EQ(program.logic().state().candidateIndex, 22);
  expectState(Phase::Cleared);
}

TEST_F(WindowGameTest, NextTwiceLeavesTheSameWindowAsOnce) {
  drawBall(12, 0);
  click(form.Command1);
  const testing::BoardSnapshot once = snapshot();
  click(form.Command1);
  EXPECT_TRUE(snapshot() == once);
  expectState(Phase::Running);
}

TEST_F(WindowGameTest, ADrawRightAfterNextTakesANewNumberNotTheOneJustDrawn) {
  drawBall(9, 0);
  click(form.Command1);
  random.playBalls({9, 9, 35});  // the roll lands twice on the drawn ball before it finds one on the board
  click(form.Command2);
  EXPECT_EQ(slot(0), QStringLiteral("10"));
  EXPECT_EQ(slot(1), QStringLiteral("36"));
  EXPECT_FALSE(ballOnBoard(35));
  EXPECT_EQ(litBallCount(), 1);
}

TEST_F(WindowGameTest, ByeEndsWithStatusZeroAndNothingRunsAfterIt) {
  drawBall(4, 0);
  click(form.Command1);
  click(form.Command4);
  ASSERT_EQ(end.statuses, std::vector<int>{0});
  EXPECT_TRUE(program.ended());
  EXPECT_FALSE(form.Timer1->isActive());

  const testing::BoardSnapshot atBye = snapshot();
  const int callsAtBye = random.calls;
  tick();
  click(form.Command2);
  click(form.Command3);
  click(form.Command4);
  EXPECT_EQ(random.calls, callsAtBye);
  EXPECT_TRUE(snapshot() == atBye);
  EXPECT_EQ(end.statuses, std::vector<int>{0});
  EXPECT_TRUE(report.errors.empty());
}

TEST_F(WindowGameTest, ClosingTheWindowRunsNoProcedureAfterIt) {
  drawBall(20, 0);
  click(form.Command1);
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(program.ended());
  EXPECT_FALSE(form.Timer1->isActive());

  const testing::BoardSnapshot atClose = snapshot();
  tick();
  click(form.Command2);
  click(form.Command4);
  EXPECT_EQ(random.calls, 1);
  EXPECT_TRUE(snapshot() == atClose);
  EXPECT_TRUE(end.statuses.empty()) << "closing ends through the toolkit, not through a procedure";
  EXPECT_TRUE(report.errors.empty());
}

}  // namespace
}  // namespace lotto
