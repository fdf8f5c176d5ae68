// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// midend.cpp: start, ticks, clicks and the window's close, each run as a guarded procedure.
#include "midend.h"

#include <utility>

#include "accessible_texts.h"
#include "procedure_errors.h"

namespace lotto::midend {

namespace {

constexpr int kByeStatus = 0;
constexpr int kFailureStatus = 1;

using Procedure = void (DrawLogic::*)();

Procedure procedureOf(Control control) {
  switch (control) {
    case Control::Command1:
      return &DrawLogic::Command1_Click;
    case Control::Command2:
      return &DrawLogic::Command2_Click;
    case Control::Command3:
      return &DrawLogic::Command3_Click;
    case Control::Command4:
      return &DrawLogic::Command4_Click;
    case Control::Text1:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

// A label given the text it has tells nothing; reading it first also checks the index before anything changes.
void Midend::ProgramBoard::setLabelText(SmallInt label, const std::u16string& text) {
  const bool changes = view_.labelText(label) != text;
  view_.setLabelText(label, text);
  if (changes) {
    if (std::optional<std::u16string> announcement = drawAnnouncement(label, text)) {
      midend_.announcement_ = std::move(announcement);
    }
  }
}

Midend::Midend(BoardView& board, RandomSource& random, FrontEnd& frontEnd)
    : view_(board), frontEnd_(frontEnd), board_(board, *this), logic_(board_, random) {}

template <typename Procedure>
void Midend::run(Procedure&& procedure) {
  if (const std::optional<RunTimeError> error = runProcedure(procedure)) {
    halt();
    frontEnd_.showRunTimeError(design::form1().title, runTimeErrorLine(*error));
    frontEnd_.end(kFailureStatus);
  } else if (byePressed_) {
    halt();
    frontEnd_.end(kByeStatus);
  }
}

// No tick may run behind a report or after the end; a board that cannot even stop its timer has nothing
// more to say, as the program is ending either way.
void Midend::halt() {
  ended_ = true;
  announcement_.reset();
  runProcedure([this] { view_.setTimerEnabled(false); });
}

void Midend::focusAndAnnounce(std::optional<Control> focus, FocusMove move) {
  if (ended_) {
    return;
  }
  if (announcement_) {
    frontEnd_.announce(*announcement_);
    announcement_.reset();
  }
  if (focus) {
    frontEnd_.focusControl(*focus, move);
  }
}

void Midend::start() {
  if (ended_) {
    return;
  }
  // The one place the timer is armed as designed: a front end builds it idle.
  const design::FormDesign& design = design::form1();
  run([&] {
    board_.setTimerInterval(design.timerIntervalMs);
    board_.setTimerEnabled(design.timerEnabledAtStart);
    logic_.Form_Load();
  });
  if (ended_) {
    return;
  }
  frontEnd_.showWindow();
  focusAndAnnounce(firstInTabOrder([this](Control c) { return enabled(c); }), FocusMove::WindowOpened);
}

void Midend::tick() {
  if (ended_) {
    return;
  }
  run([this] { logic_.Timer1_Timer(); });
  focusAndAnnounce(std::nullopt, FocusMove::GameGoesOn);
}

void Midend::click(Control control, PressedBy pressedBy) {
  const Procedure procedure = procedureOf(control);
  if (ended_ || procedure == nullptr || !enabled(control)) {
    return;
  }
  run([this, procedure] { (logic_.*procedure)(); });
  if (ended_) {
    return;
  }
  focusAndAnnounce(whereTheGameGoesOn([this](Control c) { return enabled(c); }, pressedBy), FocusMove::GameGoesOn);
}

void Midend::windowClosed() {
  if (!ended_) {
    halt();
  }
}

}  // namespace lotto::midend
