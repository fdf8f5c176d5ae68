// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// board_view_contract_test.cpp: the promises every board view keeps (board_view.h), checked on the Qt window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

#include "form1.h"
#include "qt_board_view.h"
#include "window_watch.h"

namespace lotto {
namespace {

using desktop::Form1;
using desktop::QtBoardView;

std::vector<int>* toldAbout = nullptr;  // the window's accessible children an event was sent for

void recordTold(QAccessibleEvent* event) {
  if (toldAbout != nullptr) {
    toldAbout->push_back(event->child());
  }
}

// The Qt board view on the real window, shown on the offscreen platform, with what the contract speaks of watched:
// the repaints, what assistive technology is told, the timer's next beat and what a screen reader finds on the board.
class BoardViewContractTest : public ::testing::Test {
 protected:
  BoardViewContractTest() : qtBoard(form) {
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.installEventFilter(&paintCounter);
    toldAbout = &told;
    QAccessible::installUpdateHandler(recordTold);
    // What assistive technology is told is part of the contract: this suite runs on a bus of its own
    // (desktop_board_view_contract), never without one.
    EXPECT_TRUE(testing::accessibilityBusListening()) << "no accessibility bus, or it never enabled Qt";
  }
  ~BoardViewContractTest() override {
    QAccessible::installUpdateHandler(nullptr);
    toldAbout = nullptr;
  }

  // The repaints and accessibility events the operations since the last call caused.
  int takePaints() {
    QCoreApplication::sendPostedEvents(&form, QEvent::UpdateRequest);
    return static_cast<int>(std::exchange(paintCounter.paints, 0));
  }
  int takeTold(int label) {
    const auto count = std::count(told.begin(), told.end(), label);
    told.clear();
    return static_cast<int>(count);
  }

  bool onBoard(int ball) const {
    return !QAccessible::queryAccessibleInterface(const_cast<Form1*>(&form))->child(ball)->state().invisible;
  }

  Form1 form;
  QtBoardView qtBoard;
  BoardView& board = qtBoard;
  testing::PaintCounter paintCounter;
  std::vector<int> told;
};

TEST_F(BoardViewContractTest, ALabelSetToTheTextItHasChangesNothingAndTellsNothing) {
  constexpr int kFirstSlot = 42;
  board.setLabelText(kFirstSlot, u"7");
  EXPECT_GT(takePaints(), 0) << "a new text is painted";
  EXPECT_GT(takeTold(kFirstSlot), 0) << "and told";
  board.setLabelText(kFirstSlot, u"7");
  board.setLabelText(6, board.labelText(6));
  EXPECT_EQ(takePaints(), 0);
  EXPECT_EQ(takeTold(kFirstSlot), 0);
  EXPECT_TRUE(board.labelText(kFirstSlot) == u"7");
}

// Next sets the 30 ms interval and enables the timer while the light may be rolling: the light keeps its beat.
TEST_F(BoardViewContractTest, TheIntervalTheTimerHasAndEnablingItWhileRunningKeepTheBeat) {
  board.setTimerInterval(30);
  board.setTimerEnabled(true);
  ASSERT_TRUE(form.Timer1->isActive());
  QTest::qSleep(20);  // no event loop runs: the tick is due, not delivered
  board.setTimerInterval(30);
  board.setTimerEnabled(true);
  EXPECT_LT(form.Timer1->remainingTime(), 25) << "a restarted timer would wait the whole 30 ms again";
  EXPECT_TRUE(form.Timer1->isActive());

  board.setTimerInterval(60);
  EXPECT_EQ(form.Timer1->interval(), 60);
  board.setTimerEnabled(false);
  EXPECT_FALSE(form.Timer1->isActive());
}

TEST_F(BoardViewContractTest, ABallIsOnTheBoardOnlyWhileItsDiscAndNumberBothShow) {
  constexpr int kBall = 20;
  EXPECT_TRUE(onBoard(kBall));
  board.setDiscVisible(kBall, false);
  EXPECT_FALSE(onBoard(kBall)) << "a number with no disc";
  board.setLabelVisible(kBall, false);
  board.setDiscVisible(kBall, true);
  EXPECT_FALSE(onBoard(kBall)) << "a disc with no number";
  board.setLabelVisible(kBall, true);
  EXPECT_TRUE(onBoard(kBall));
  EXPECT_TRUE(onBoard(kBall + 1)) << "its neighbour stayed";
}

}  // namespace
}  // namespace lotto
