// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// keyboard_play_test.cpp: a whole game played with Tab and Space only, and typing that never presses a button.
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <vector>

#include "program_fixture.h"

namespace lotto {
namespace {

class KeyboardPlayTest : public testing::ProgramTest {
 protected:
  KeyboardPlayTest() {
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  QWidget* focused() const { return form.focusWidget(); }

  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    ASSERT_NE(focused(), nullptr);
    QTest::keyClick(focused(), static_cast<Qt::Key>(key), modifiers);
  }

  // Tabs forward until `target` has the focus, as a user would, and says how many presses it took.
  int tabTo(QWidget* target) {
    for (int presses = 0; presses <= 5; ++presses) {
      if (focused() == target) {
        return presses;
      }
      press(Qt::Key_Tab);
    }
    ADD_FAILURE() << "Tab never reached " << target->objectName().toStdString();
    return -1;
  }

  // The controls the focus visits, starting from the one after the current.
  std::vector<QWidget*> tabCycle(int presses) {
    std::vector<QWidget*> visited;
    for (int i = 0; i < presses; ++i) {
      press(Qt::Key_Tab);
      visited.push_back(focused());
    }
    return visited;
  }
};

TEST_F(KeyboardPlayTest, TabAndSpaceReachEveryCommandInTheDesignOrder) {
  EXPECT_EQ(focused(), form.Command2) << "the window opens on 開獎";
  EXPECT_EQ(tabCycle(3), (std::vector<QWidget*>{form.Command4, form.Text1, form.Command2}))
      << "greyed Next and 清除 are skipped";

  for (int k = 0; k < kSlotCount; ++k) {
    tickLighting(10 + k);
    tabTo(form.Command2);
    press(Qt::Key_Space);
    EXPECT_EQ(slot(k), QString::number(11 + k));
    EXPECT_NE(focused(), form.Command2) << "the greyed button gives the focus away";
    if (k == 0) {
      EXPECT_EQ(tabCycle(4), (std::vector<QWidget*>{form.Command4, form.Text1, form.Command1, form.Command3}));
      press(Qt::Key_Tab, Qt::ShiftModifier);
      EXPECT_EQ(focused(), form.Command1) << "Shift+Tab walks back";
    }
    if (k < kSlotCount - 1) {
      tabTo(form.Command1);
      press(Qt::Key_Space);
      EXPECT_TRUE(form.Command2->isEnabled());
    }
  }
  EXPECT_EQ(form.Text1->text(), QStringLiteral("按清除重開"));

  tabTo(form.Command3);
  press(Qt::Key_Space);
  EXPECT_EQ(program.logic().state().drawnCount, 0);
  EXPECT_EQ(slot(0), QStringLiteral("一"));

  EXPECT_TRUE(end.statuses.empty());
  tabTo(form.Command4);
  press(Qt::Key_Space);
  EXPECT_EQ(end.statuses, std::vector<int>{0});
}

TEST_F(KeyboardPlayTest, TypingInTheInstructionLineRunsNoCommand) {
  tickLighting(4);
  tabTo(form.Text1);
  const testing::BoardSnapshot before = snapshot();
  QSignalSpy next(form.Command1, &QPushButton::clicked);
  QSignalSpy draw(form.Command2, &QPushButton::clicked);
  QSignalSpy clear(form.Command3, &QPushButton::clicked);
  QSignalSpy bye(form.Command4, &QPushButton::clicked);

  QTest::keyClicks(form.Text1, QStringLiteral("Bye "));
  QInputMethodEvent composed;  // Chinese arrives through the input method, not as key presses
  composed.setCommitString(QStringLiteral("開獎"));
  QCoreApplication::sendEvent(form.Text1, &composed);
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QTest::keyClick(form.Text1, key);
  }
  QTest::keyClicks(form.Text1, QStringLiteral("x"));

  EXPECT_EQ(next.count() + draw.count() + clear.count() + bye.count(), 0);
  EXPECT_EQ(form.Text1->text(), QStringLiteral("Bye 開獎 x"));
  testing::BoardSnapshot after = snapshot();
  after.instruction = before.instruction;  // only what was typed may differ
  EXPECT_TRUE(after == before);
  EXPECT_EQ(focused(), form.Text1);
  EXPECT_TRUE(end.statuses.empty());
}

}  // namespace
}  // namespace lotto
