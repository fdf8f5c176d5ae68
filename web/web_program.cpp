// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_program.cpp: start, ticks and clicks of the page, each a procedure of the draw logic.
#include "web_program.h"

#include "form1_design.h"
#include "game_focus.h"
#include "procedure_errors.h"

namespace lotto {

namespace {

bool isEnabled(const WebBoard& board, design::Control control) {
  return board.controlEnabled(design::controlName(control));
}

}  // namespace

template <typename Procedure>
void WebProgram::run(Procedure procedure) {
  if (ended()) {
    return;
  }
  if (const std::optional<RunTimeError> error = midend::runProcedure(procedure)) {
    failed_ = true;
    board_.setTimerEnabled(false);  // no tick runs behind the report
    board_.reportRunTimeError(design::form1().title, midend::runTimeErrorLine(*error));
  }
}

void WebProgram::start() {
  const design::FormDesign& d = design::form1();
  run([&] {
    board_.setTimerInterval(d.timerIntervalMs);
    board_.setTimerEnabled(d.timerEnabledAtStart);
    logic_.Form_Load();
  });
  if (!ended()) {
    board_.focusControl(
        design::controlName(midend::firstInTabOrder([this](design::Control c) { return isEnabled(board_, c); })));
  }
}

void WebProgram::tick() {
  run([this] { logic_.Timer1_Timer(); });
}

void WebProgram::click(const std::string& control) {
  if (ended() || !board_.controlEnabled(control)) {
    return;  // a script may click faster than the page greys a button; a greyed button delivers nothing
  }
  run([&] {
    if (control == design::controlName(design::Control::Command1)) {
      logic_.Command1_Click();
    } else if (control == design::controlName(design::Control::Command2)) {
      logic_.Command2_Click();
    } else if (control == design::controlName(design::Control::Command3)) {
      logic_.Command3_Click();
    } else if (control == design::controlName(design::Control::Command4)) {
      logic_.Command4_Click();
    } else {
      throw RunTimeError::noSuchControl();
    }
  });
  // The focus goes on with the game, so no key press lands on 清除 or Bye by itself.
  if (!ended()) {
    board_.focusControl(
        design::controlName(midend::whereTheGameGoesOn([this](design::Control c) { return isEnabled(board_, c); })));
  }
}

}  // namespace lotto
