// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lotto_program.h: the running program: the window, its board view and the midend that drives them.
#pragma once

#include "draw_logic.h"
#include "form1.h"
#include "front_end.h"
#include "midend.h"
#include "program_end.h"
#include "qt_board_view.h"
#include "random_source.h"
#include "run_time_error_report.h"

namespace lotto::desktop {

// The Qt front end of the midend: forwards the window's events to it and does what it asks of the window.
class LottoProgram : private midend::FrontEnd {
 public:
  LottoProgram(RandomSource& random, RunTimeErrorReport& report, ProgramEnd& end);

  // Loads the board, shows the window and hands the focus to the first control.
  void start() { midend_.start(); }

  Form1& form() { return form_; }
  const DrawLogic& logic() const { return midend_.logic(); }
  bool ended() const { return midend_.ended(); }

 private:
  void press(design::Control control);

  bool controlEnabled(design::Control control) const override { return form_.controlEnabled(control); }
  void showWindow() override { form_.show(); }
  void focusControl(design::Control control, midend::FocusMove move) override;
  void announce(const std::u16string& text) override;
  void showRunTimeError(const std::u16string& title, const std::string& line) override;
  void end(int status) override { end_.end(status); }

  Form1 form_;
  QtBoardView board_;
  RunTimeErrorReport& report_;
  ProgramEnd& end_;
  midend::Midend midend_;
};

}  // namespace lotto::desktop
