// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// keyboard_play_test.cpp: games played by keyboard, touch and mouse: the focus follows the game, and typing presses
// no button.
#include <QApplication>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "game_scenarios.h"
#include "program_fixture.h"

namespace lotto {

// The Qt front end's classes, tested here.
using namespace desktop;
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

  // A key held down: pressed, `repeats` auto-repeats as the window system sends them (a release and a
  // press, both marked as repeats), then released. Each event goes to whatever has the focus then.
  void hold(Qt::Key key, int repeats, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
    const auto send = [&](bool pressed, bool repeat) {
      ASSERT_NE(focused(), nullptr);
      QTest::simulateEvent(focused(), pressed, key, modifiers, text, repeat);
    };
    send(true, false);
    for (int i = 0; i < repeats; ++i) {
      send(false, true);
      send(true, true);
    }
    send(false, false);
  }

  int drawn() const { return program.logic().state().drawnCount; }

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

  tickLighting(10);
  press(Qt::Key_Space);
  EXPECT_EQ(slot(0), QStringLiteral("11"));
  EXPECT_EQ(tabCycle(4), (std::vector<QWidget*>{form.Command3, form.Command4, form.Text1, form.Command1}));
  press(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(focused(), form.Text1) << "Shift+Tab walks back";

  tabTo(form.Command3);
  press(Qt::Key_Space);
  EXPECT_EQ(drawn(), 0);
  EXPECT_EQ(slot(0), QString::fromStdU16String(testing::kSlotHeadings[0]));
  EXPECT_EQ(focused(), form.Command2) << "after 清除 the focus is back on 開獎";

  EXPECT_TRUE(end.statuses.empty());
  tabTo(form.Command4);
  press(Qt::Key_Space);
  EXPECT_EQ(end.statuses, std::vector<int>{0});
}

// How a game is played: Space on the focused button, taps on the buttons, or mouse clicks.
enum class Input { Space, Touch, Mouse };
const char* const kInputNames[] = {"BySpace", "ByTouch", "ByMouse"};

class KeyboardGameTest : public KeyboardPlayTest,
                         public ::testing::WithParamInterface<std::tuple<testing::GameScenario, Input>> {
 protected:
  void tap(QPushButton* button) {
    const QPoint centre = button->mapTo(&form, button->rect().center());
    QTest::touchEvent(&form, screen.get()).press(0, centre);
    QTest::touchEvent(&form, screen.get()).release(0, centre);
  }
  // The toolkit keeps a created device registered until it is deleted; the test owns it.
  const std::unique_ptr<QPointingDevice> screen{QTest::createTouchDevice()};
};

// Space alone plays draw, Next, draw … (each press leaves the focus on the next one) and stops at the result, where
// the focus rests on the line that says what to do next: it never lands on 清除 or Bye, not even for a moment, which
// a screen reader would say. At the result a Space meant for a greyed button goes into the line; any other button is
// reached with Tab. Taps move the focus onto buttons alone, never into the line, where it would raise a phone's
// on-screen keyboard over the board: at the result it rests on 清除. Clicks reach greyed buttons too, which change
// nothing. After each press the state table's row, the slots and the balls, and no tick but the test's.
TEST_P(KeyboardGameTest, SpaceTapsOrClicksPlayEachGame) {
  const auto& [scenario, input] = GetParam();
  QSignalSpy focusMoves(qApp, &QApplication::focusChanged);
  QString typed;  // Spaces typed into the line since a command last wrote it
  int ticks = 0;
  const auto light = [&](int ball) {
    tickLighting(ball);
    ++ticks;
    ASSERT_EQ(program.logic().state().candidateIndex, ball);
    ASSERT_TRUE(ballOnBoard(ball)) << "ball " << ball;
    EXPECT_EQ(litBallCount(), 1);
  };
  testing::walk(scenario, light, [&](const testing::Move& move, const testing::GameSoFar& game) {
    QPushButton* const buttons[] = {form.Command1, form.Command2, form.Command3};
    QPushButton* const button = buttons[static_cast<int>(move.step.press)];
    const testing::BoardSnapshot before = snapshot();
    if (input == Input::Touch) {
      tap(button);
    } else if (input == Input::Mouse) {
      click(button);
    } else {
      if (move.enabled) {
        tabTo(button);
      } else if (focused() != form.Text1) {
        return;  // Tab skips a greyed button: the keys cannot reach it
      }
      focusMoves.clear();
      press(Qt::Key_Space);
      typed = move.enabled ? QString() : typed + QStringLiteral(" ");
    }
    if (!move.changes && input != Input::Space) {
      EXPECT_TRUE(snapshot() == before) << "a greyed button, or Next again, changes nothing";
    }
    expectState(game.phase, typed);  // spaces are typed after the text, not over it
    testing::expectBoardShows(
        game, move, program.logic().state(), [this](int label) { return form.labelCaption(label).toStdU16String(); },
        [this](int ball) { return std::make_pair(form.labelVisible(ball), form.discVisible(ball)); },
        [this](int ball) { return form.discColour(ball) == kBallAtRest; });
    QWidget* const atTheResult = input == Input::Touch ? static_cast<QWidget*>(form.Command3) : form.Text1;
    QWidget* const focusAfter = game.phase == testing::Phase::Finished    ? atTheResult
                                : game.phase == testing::Phase::AfterDraw ? form.Command1
                                                                          : form.Command2;
    EXPECT_EQ(focused(), focusAfter);
    for (const QList<QVariant>& focusMove : input == Input::Space ? focusMoves : QList<QList<QVariant>>()) {
      const auto* to = focusMove.at(1).value<QWidget*>();
      EXPECT_TRUE(to != form.Command3 && to != form.Command4) << "the focus passed 清除 or Bye";
    }
  });
  EXPECT_EQ(random.calls, ticks) << "the ticks delivered here, and no real one";
  EXPECT_TRUE(end.statuses.empty());
}

INSTANTIATE_TEST_SUITE_P(Games, KeyboardGameTest,
                         ::testing::Combine(::testing::ValuesIn(testing::kGameScenarios),
                                            ::testing::Values(Input::Space, Input::Touch, Input::Mouse)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  kInputNames[static_cast<int>(std::get<1>(info.param))];
                         });

// Presses faster than any tick: Space twice on 開獎 draws and restarts the roll, three times draws again.
TEST_F(KeyboardPlayTest, SpacePressedTwiceOrThriceOnTheDrawButtonNeverClearsOrQuits) {
  tickLighting(5);
  press(Qt::Key_Space);
  press(Qt::Key_Space);
  EXPECT_EQ(slot(0), QStringLiteral("6"));
  EXPECT_EQ(drawn(), 1) << "the second Space pressed Next, not 清除";
  EXPECT_TRUE(form.Timer1->isActive());
  EXPECT_EQ(focused(), form.Command2);

  press(Qt::Key_Space);
  EXPECT_EQ(drawn(), 2) << "the third Space drew again, it did not quit";
  EXPECT_NE(slot(1), QString::fromStdU16String(testing::kSlotHeadings[1]));
  EXPECT_NE(slot(1), slot(0));
  EXPECT_EQ(focused(), form.Command1);
  EXPECT_TRUE(end.statuses.empty());
}

// A held key presses once, like a tap; Return and Enter press the focused button as Space does.
TEST_F(KeyboardPlayTest, AHeldKeyPressesOnceAndReturnOrEnterPressTheFocusedButton) {
  tickLighting(8);
  hold(Qt::Key_Space, 25);
  EXPECT_EQ(drawn(), 1);
  EXPECT_EQ(slot(0), QStringLiteral("9"));
  EXPECT_EQ(focused(), form.Command1);

  hold(Qt::Key_Return, 25);
  EXPECT_EQ(drawn(), 1) << "a held Return pressed Next once";
  EXPECT_EQ(form.Text1->text(), QString::fromStdU16String(testing::expectedState(testing::Phase::Running).line));
  EXPECT_EQ(focused(), form.Command2);

  tickLighting(30);
  hold(Qt::Key_Enter, 0, Qt::KeypadModifier);
  EXPECT_EQ(slot(1), QStringLiteral("31"));
  EXPECT_EQ(focused(), form.Command1);

  press(Qt::Key_Return);
  tickLighting(31);
  press(Qt::Key_Return);
  EXPECT_EQ(slot(2), QStringLiteral("32"));
  EXPECT_EQ(drawn(), 3);
  EXPECT_TRUE(end.statuses.empty());
}

TEST_F(KeyboardPlayTest, TypingInTheInstructionLineRunsNoCommand) {
  tickLighting(4);
  tabTo(form.Text1);
  const testing::BoardSnapshot before = snapshot();

  QTest::keyClicks(form.Text1, QStringLiteral("Bye "));
  QInputMethodEvent composed;  // Chinese arrives through the input method, not as key presses
  composed.setCommitString(QStringLiteral("開獎"));
  QCoreApplication::sendEvent(form.Text1, &composed);
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QTest::keyClick(form.Text1, key);
  }
  QTest::keyClicks(form.Text1, QStringLiteral("x"));

  // A command that ran would show on the board (開獎; Next and 清除 are greyed here) or end the program (Bye).
  EXPECT_EQ(form.Text1->text(), QStringLiteral("Bye 開獎 x"));
  testing::BoardSnapshot after = snapshot();
  after.instruction = before.instruction;  // only what was typed may differ
  EXPECT_TRUE(after == before);
  EXPECT_EQ(focused(), form.Text1);
  EXPECT_TRUE(end.statuses.empty());
}

}  // namespace
}  // namespace lotto
