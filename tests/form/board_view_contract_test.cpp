// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// board_view_contract_test.cpp: the promises every board view keeps (board_view.h), checked on the Qt window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
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
class QtBoardUnderTest {
 public:
  QtBoardUnderTest() : board(form) {
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.installEventFilter(&paintCounter);
    toldAbout = &told;
    QAccessible::installUpdateHandler(recordTold);
    // What assistive technology is told is part of the contract: this suite runs on a bus of its own
    // (desktop_board_view_contract), never without one.
    EXPECT_TRUE(testing::accessibilityBusListening()) << "no accessibility bus, or it never enabled Qt";
  }
  ~QtBoardUnderTest() {
    QAccessible::installUpdateHandler(nullptr);
    toldAbout = nullptr;
  }

  // The repaints and accessibility events the operations since the last call caused.
  int takePaints() {
    QCoreApplication::sendPostedEvents(&form, QEvent::UpdateRequest);
    const int paints = static_cast<int>(paintCounter.paints);
    paintCounter.paints = 0;
    return paints;
  }
  int takeTold(int label) {
    int count = 0;
    for (int child : told) count += child == label ? 1 : 0;
    told.clear();
    return count;
  }

  bool timerRunning() const { return form.Timer1->isActive(); }
  int timerInterval() const { return form.Timer1->interval(); }
  int msToNextTick() const { return form.Timer1->remainingTime(); }
  bool onBoard(int ball) const {
    return !QAccessible::queryAccessibleInterface(const_cast<Form1*>(&form))->child(ball)->state().invisible;
  }

  Form1 form;
  QtBoardView board;

 private:
  testing::PaintCounter paintCounter;
  std::vector<int> told;
};

template <typename Subject>
class BoardViewContractTest : public ::testing::Test {
 protected:
  Subject subject;
  BoardView& board = subject.board;
};

using BoardViews = ::testing::Types<QtBoardUnderTest>;
TYPED_TEST_SUITE(BoardViewContractTest, BoardViews);

TYPED_TEST(BoardViewContractTest, ALabelSetToTheTextItHasChangesNothingAndTellsNothing) {
  auto& subject = this->subject;
  constexpr int kFirstSlot = 42;
  this->board.setLabelText(kFirstSlot, u"7");
  EXPECT_GT(subject.takePaints(), 0) << "a new text is painted";
  EXPECT_GT(subject.takeTold(kFirstSlot), 0) << "and told";
  this->board.setLabelText(kFirstSlot, u"7");
  this->board.setLabelText(6, this->board.labelText(6));
  EXPECT_EQ(subject.takePaints(), 0);
  EXPECT_EQ(subject.takeTold(kFirstSlot), 0);
  EXPECT_TRUE(this->board.labelText(kFirstSlot) == u"7");
}

// Next sets the 30 ms interval and enables the timer while the light may be rolling: the light keeps its beat.
TYPED_TEST(BoardViewContractTest, TheIntervalTheTimerHasAndEnablingItWhileRunningKeepTheBeat) {
  auto& subject = this->subject;
  this->board.setTimerInterval(30);
  this->board.setTimerEnabled(true);
  ASSERT_TRUE(subject.timerRunning());
  QTest::qSleep(20);  // no event loop runs: the tick is due, not delivered
  this->board.setTimerInterval(30);
  this->board.setTimerEnabled(true);
  EXPECT_LT(subject.msToNextTick(), 25) << "a restarted timer would wait the whole 30 ms again";
  EXPECT_TRUE(subject.timerRunning());

  this->board.setTimerInterval(60);
  EXPECT_EQ(subject.timerInterval(), 60);
  this->board.setTimerEnabled(false);
  EXPECT_FALSE(subject.timerRunning());
}

TYPED_TEST(BoardViewContractTest, ABallIsOnTheBoardOnlyWhileItsDiscAndNumberBothShow) {
  auto& subject = this->subject;
  constexpr int kBall = 20;
  EXPECT_TRUE(subject.onBoard(kBall));
  this->board.setDiscVisible(kBall, false);
  EXPECT_FALSE(subject.onBoard(kBall)) << "a number with no disc";
  this->board.setLabelVisible(kBall, false);
  this->board.setDiscVisible(kBall, true);
  EXPECT_FALSE(subject.onBoard(kBall)) << "a disc with no number";
  this->board.setLabelVisible(kBall, true);
  EXPECT_TRUE(subject.onBoard(kBall));
  EXPECT_TRUE(subject.onBoard(kBall + 1)) << "its neighbour stayed";
}

}  // namespace
}  // namespace lotto
