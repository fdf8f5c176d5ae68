// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// midend_test.cpp: the midend driven through a front end of plain data: focus, announcements, errors and the end.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "expected_states.h"
#include "front_end.h"
#include "game_scenarios.h"
#include "midend.h"
#include "recording_board_view.h"
#include "scripted_random_source.h"

// How a press came, as ctest and a failure name it.
namespace lotto::midend {
void PrintTo(PressedBy pressedBy, std::ostream* out) {
  *out << (pressedBy == PressedBy::Keyboard ? "Keyboard" : pressedBy == PressedBy::Mouse ? "Mouse" : "Touch");
}
}  // namespace lotto::midend

namespace lotto::testing {
namespace {

using design::Control;
using midend::FocusMove;
using midend::PressedBy;

// A button's caption as the design writes it.
std::u16string caption(const char* button) { return expectedText(expected().at("buttons").at(button).at("caption")); }
std::u16string focusOn(const char* button) { return u"focus " + caption(button); }

// What the front end was asked, in order: "show", "focus 開獎" (controls by caption), "announce 第一個號碼 7".
class FakeFrontEnd : public midend::FrontEnd {
 public:
  explicit FakeFrontEnd(const RecordingBoardView& board) : board_(board) {}

  bool controlEnabled(Control control) const override {
    // Bye and the instruction line are never greyed; the board's buttons are the design's first three controls.
    static_assert(static_cast<int>(Button::Command3) == static_cast<int>(Control::Command3));
    return control > Control::Command3 || board_.enabled(static_cast<Button>(control));
  }
  void showWindow() override { log.push_back(u"show"); }
  void focusControl(Control control, FocusMove) override { log.push_back(u"focus " + caption(control)); }
  void announce(const std::u16string& text) override { log.push_back(u"announce " + text); }
  void showRunTimeError(const std::u16string& title, const std::string& line) override {
    reports.emplace_back(title, line);
  }
  void end(int status) override { statuses.push_back(status); }

  // What the front end was asked since the last call.
  std::vector<std::u16string> takeLog() { return std::exchange(log, {}); }

  std::vector<std::u16string> log;
  std::vector<std::pair<std::u16string, std::string>> reports;
  std::vector<int> statuses;

 private:
  static std::u16string caption(Control control) {
    static const char* const kNames[] = {"Command1", "Command2", "Command3", "Command4"};
    return control == Control::Text1 ? u"Text1" : testing::caption(kNames[static_cast<int>(control)]);
  }

  const RecordingBoardView& board_;
};

// A board whose every label and disc write fails once `failing` is set, as a window whose control is gone.
class FailingBoardView : public RecordingBoardView {
 public:
  void setLabelText(SmallInt label, const std::u16string& text) override {
    failIfAsked();
    RecordingBoardView::setLabelText(label, text);
  }
  void setDiscColour(SmallInt disc, Colour colour) override {
    failIfAsked();
    RecordingBoardView::setDiscColour(disc, colour);
  }
  bool failing = false;

 private:
  void failIfAsked() const {
    if (failing) throw RunTimeError::overflow();
  }
};

class MidendTest : public ::testing::Test {
 protected:
  void startProgram() {
    midend.start();
    ASSERT_EQ(frontEnd.takeLog(), (std::vector<std::u16string>{u"show", focusOn("Command2")}));
  }
  void tickLighting(int ball) {
    random.playBalls({ball});
    midend.tick();
  }
  void click(Control control, PressedBy pressedBy = PressedBy::Keyboard) { midend.click(control, pressedBy); }

  // Once ended, nothing runs: no tick, no click, not even on a button left enabled, and no second end.
  void expectEverythingRefused() {
    EXPECT_TRUE(midend.ended());
    EXPECT_FALSE(board.timerEnabled);
    const auto reports = frontEnd.reports;
    const auto statuses = frontEnd.statuses;
    const auto instruction = board.instruction;
    const int calls = random.calls;
    board.buttonEnabled = {true, true, true};
    midend.tick();
    for (Control control : {Control::Command1, Control::Command2, Control::Command3, Control::Command4}) {
      click(control);
    }
    midend.windowClosed();
    midend.start();
    EXPECT_EQ(random.calls, calls);
    EXPECT_EQ(board.instruction, instruction);
    EXPECT_FALSE(board.timerEnabled);
    EXPECT_EQ(frontEnd.reports, reports);
    EXPECT_EQ(frontEnd.statuses, statuses);
    EXPECT_TRUE(frontEnd.log.empty());
  }

  FailingBoardView board;
  ScriptedRandomSource random;
  FakeFrontEnd frontEnd{board};
  midend::Midend midend{board, random, frontEnd};
};

TEST_F(MidendTest, StartArmsTheTimerLoadsTheBoardAndFocusesDrawWhileGreyedButtonsDeliverNothing) {
  board.timerInterval = 0;
  board.timerEnabled = false;
  startProgram();
  EXPECT_EQ(board.timerInterval, kRollIntervalMs);
  EXPECT_TRUE(board.timerEnabled);
  EXPECT_EQ(board.labels[0].text, u"1");
  EXPECT_EQ(board.labels[41].text, u"42");
  EXPECT_EQ(random.calls, 0);

  click(Control::Command1);  // Next and 清除 are greyed at start
  click(Control::Command3);
  click(Control::Text1);
  EXPECT_TRUE(frontEnd.log.empty());
  EXPECT_EQ(board.instruction, expectedState(Phase::Opened).line);
  EXPECT_EQ(board.labels[kFirstSlotLabel].text, kSlotHeadings[0]);
  EXPECT_FALSE(midend.ended());
}

class MidendGameTest : public MidendTest, public ::testing::WithParamInterface<std::tuple<GameScenario, PressedBy>> {};

// Each draw is announced once, before the focus moves on, so that a screen reader says the number first; the focus
// never lands on Bye, nor on 清除 before the result, and a finger never sends it into the instruction line. 清除
// says a new game has started. A greyed button delivers nothing.
TEST_P(MidendGameTest, EachGameMovesTheFocusOnAndAnnouncesEachDrawOnce) {
  const auto& [scenario, pressedBy] = GetParam();
  const std::u16string focusAtTheResult = pressedBy == PressedBy::Touch ? caption("Command3") : u"Text1";
  startProgram();
  const auto light = [this](int ball) {
    tickLighting(ball);
    EXPECT_TRUE(frontEnd.log.empty()) << "the light is never announced";
  };
  walk(scenario, light, [&](const Move& move, const GameSoFar& game) {
    click(static_cast<Control>(move.step.press), pressedBy);
    std::vector<std::u16string> told;
    if (move.enabled && move.step.press == Press::Draw) {
      const int k = static_cast<int>(game.drawn.size()) - 1;
      told = {u"announce " + expectedText(expected().at("slotNames").at(k)) + u" " + numberOf(game.drawn.back()),
              game.phase == Phase::Finished ? u"focus " + focusAtTheResult : focusOn("Command1")};
    } else if (move.enabled && move.step.press == Press::Next) {
      told = {focusOn("Command2")};
    } else if (move.enabled) {
      told = {u"announce " + expectedText(expected().at("newGameAnnouncement")), focusOn("Command2")};
    }
    EXPECT_EQ(frontEnd.takeLog(), told);  // the board after each press is the draw core's, walked in draw/
  });
  EXPECT_TRUE(frontEnd.statuses.empty());
  EXPECT_FALSE(midend.ended());
}

INSTANTIATE_TEST_SUITE_P(Games, MidendGameTest,
                         ::testing::Combine(::testing::ValuesIn(kGameScenarios),
                                            ::testing::Values(PressedBy::Keyboard, PressedBy::Mouse, PressedBy::Touch)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  ::testing::PrintToString(std::get<1>(info.param));
                         });

TEST_F(MidendTest, ALabelGivenTheTextItHasAnnouncesNothing) {
  startProgram();
  board.buttonEnabled[2] = true;  // 清除 before any draw: every slot already shows its heading
  click(Control::Command3);
  EXPECT_EQ(frontEnd.takeLog(), std::vector<std::u16string>{focusOn("Command2")});
}

enum class FailsIn { Start, Tick, Draw };
const char* const kFailsInNames[] = {"Start", "Tick", "Draw"};
void PrintTo(FailsIn where, std::ostream* out) { *out << kFailsInNames[static_cast<int>(where)]; }

class MidendErrorTest : public MidendTest, public ::testing::WithParamInterface<FailsIn> {};

// The error ends the program: the timer stopped, one report titled as the window, status 1, nothing after.
TEST_P(MidendErrorTest, ARunTimeErrorIsReportedOnceAndEndsTheProgram) {
  const FailsIn where = GetParam();
  if (where != FailsIn::Start) {
    startProgram();
    tickLighting(6);
  }
  board.failing = true;
  switch (where) {
    case FailsIn::Start:
      midend.start();
      break;
    case FailsIn::Tick:
      midend.tick();
      break;
    case FailsIn::Draw:
      click(Control::Command2);
      break;
  }
  EXPECT_FALSE(board.timerEnabled);
  ASSERT_EQ(frontEnd.reports.size(), 1u);
  EXPECT_EQ(frontEnd.reports[0].first, expectedText(expected().at("title")));
  EXPECT_EQ(frontEnd.reports[0].second, expected().at("runTimeErrorReports").at("overflow").get<std::string>());
  EXPECT_EQ(frontEnd.statuses, std::vector<int>{1});
  EXPECT_EQ(frontEnd.takeLog(), std::vector<std::u16string>{}) << "no window shown, focus moved or draw announced";
  expectEverythingRefused();
}

INSTANTIATE_TEST_SUITE_P(Procedures, MidendErrorTest, ::testing::Values(FailsIn::Start, FailsIn::Tick, FailsIn::Draw),
                         [](const auto& info) { return std::string(kFailsInNames[static_cast<int>(info.param)]); });

TEST_F(MidendTest, ByeEndsWithStatusZeroAndNothingRunsAfterIt) {
  startProgram();
  tickLighting(4);
  click(Control::Command2);
  click(Control::Command1);
  frontEnd.takeLog();
  click(Control::Command4);
  EXPECT_EQ(frontEnd.statuses, std::vector<int>{0});
  EXPECT_EQ(board.endCalls, 0) << "the midend ends the program, not the board";
  EXPECT_TRUE(frontEnd.reports.empty());
  expectEverythingRefused();
}

TEST_F(MidendTest, ClosingTheWindowEndsItWithNoProcedure) {
  startProgram();
  midend.windowClosed();
  EXPECT_TRUE(frontEnd.statuses.empty()) << "the toolkit ends the program it closed";
  expectEverythingRefused();
}

}  // namespace
}  // namespace lotto::testing
