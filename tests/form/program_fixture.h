// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// program_fixture.h: the real program on the offscreen platform, with scripted randomness, driven tick by tick.
#pragma once

#include <gtest/gtest.h>

#include <QEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <string>

#include "expected_states.h"
#include "lotto_program.h"
#include "program_doubles.h"
#include "scripted_random_source.h"

namespace lotto::testing {

// The Qt front end's classes, tested here.
using namespace desktop;

// Everything of the window a procedure can change, for comparing two moments of a game.
struct BoardSnapshot {
  std::array<QString, kLabelCount> captions;
  std::array<bool, kLabelCount> labelsVisible{};
  std::array<Colour, kLabelCount> discColours{};
  std::array<bool, kLabelCount> discsVisible{};
  std::array<bool, 4> buttonsEnabled{};
  QString instruction;
  bool timerActive = false;
  int timerInterval = 0;

  bool operator==(const BoardSnapshot& other) const {
    return captions == other.captions && labelsVisible == other.labelsVisible && discColours == other.discColours &&
           discsVisible == other.discsVisible && buttonsEnabled == other.buttonsEnabled &&
           instruction == other.instruction && timerActive == other.timerActive && timerInterval == other.timerInterval;
  }
};

// What the window shows of the state table's row.
inline SeenState seenState(const Form1& form) {
  return {form.Command1->isEnabled(),         form.Command2->isEnabled(), form.Command3->isEnabled(),
          form.Command4->isEnabled(),         form.Timer1->isActive(),    form.Timer1->interval(),
          form.Text1->text().toStdU16String()};
}

// Swallows the timer events of the object it watches: the ticks an event loop would deliver.
class EventLoopTicksSwallowed : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Timer; }
};

// Every tick is one the test delivered through the timer's own timeout signal, and `random.calls` proves no
// other tick ran: Timer1 runs as designed, but the ticks an event loop would deliver are swallowed, so a test
// may spin the loop (to show the window or give it the focus) without a tick landing meanwhile.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() : program(random, report, end), form(program.form()) {
    form.Timer1->installEventFilter(&eventLoopTicks);
    program.start();
  }

  // One tick of Timer1 that lights `ball` (unless it is drawn and the roll moves on).
  void tickLighting(int ball) {
    random.playBalls({ball});
    tick();
  }
  void tick() { ASSERT_TRUE(QMetaObject::invokeMethod(form.Timer1, "timeout", Qt::DirectConnection)); }
  static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  QString slot(int k) const { return form.labelCaption(kFirstSlotLabel + k); }
  bool ballOnBoard(int ball) const { return form.labelVisible(ball) && form.discVisible(ball); }
  int litBallCount() const {
    int lit = 0;
    for (int ball = 0; ball < kBallCount; ++ball) {
      lit += form.discColour(ball) == kBallLit ? 1 : 0;
    }
    return lit;
  }

  // The state table's row for `phase`: the enabled buttons, the roll and the instruction line, with what the user
  // typed after it.
  void expectState(Phase phase, const QString& typed = {}) const {
    EXPECT_EQ(stateMismatch(phase, seenState(form), typed.toStdU16String()), "");
  }

  // Once the program has ended nothing runs: no tick or click rolls, changes the window, reports or ends again.
  void expectNothingRunsAfterTheEnd() {
    EXPECT_TRUE(program.ended());
    EXPECT_FALSE(form.Timer1->isActive());
    const BoardSnapshot atEnd = snapshot();
    const int calls = random.calls;
    const auto errors = report.errors;
    const auto statuses = end.statuses;
    tick();
    for (QPushButton* button : {form.Command1, form.Command2, form.Command3, form.Command4}) click(button);
    EXPECT_EQ(random.calls, calls);
    EXPECT_TRUE(snapshot() == atEnd);
    EXPECT_EQ(report.errors, errors);
    EXPECT_EQ(end.statuses, statuses);
  }

  BoardSnapshot snapshot() const {
    BoardSnapshot s;
    for (int i = 0; i < kLabelCount; ++i) {
      s.captions[i] = form.labelCaption(i);
      s.labelsVisible[i] = form.labelVisible(i);
      s.discColours[i] = form.discColour(i);
      s.discsVisible[i] = form.discVisible(i);
    }
    s.buttonsEnabled = {form.Command1->isEnabled(), form.Command2->isEnabled(), form.Command3->isEnabled(),
                        form.Command4->isEnabled()};
    s.instruction = form.Text1->text();
    s.timerActive = form.Timer1->isActive();
    s.timerInterval = form.Timer1->interval();
    return s;
  }

  ScriptedRandomSource random;
  CapturingRunTimeErrorReport report;
  RecordingProgramEnd end;
  LottoProgram program;
  Form1& form;
  EventLoopTicksSwallowed eventLoopTicks;
};

}  // namespace lotto::testing
