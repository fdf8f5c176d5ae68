// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_test.cpp: the real window at its start and at its end, with ticks delivered by its timer.
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
