// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lotto_program.h: the running program: the window, its board view, the draw logic and the routing of events.
#pragma once

#include <memory>

#include "draw_logic.h"
#include "form1.h"
#include "program_end.h"
#include "qt_board_view.h"
#include "random_source.h"
#include "run_time_error_report.h"

namespace lotto::desktop {

// Routes the window's events to the draw procedures, one at a time, and makes sure no
// exception crosses the event loop and no procedure runs once the program is ending.
class LottoProgram {
 public:
  LottoProgram(RandomSource& random, RunTimeErrorReport& report, ProgramEnd& end);

  // Loads the board, shows the window and hands the focus to the first control.
  void start();

  Form1& form() { return form_; }
  const DrawLogic& logic() const { return logic_; }
  bool ended() const { return ended_; }

 private:
  template <typename Procedure>
  void run(Procedure procedure);
  template <typename Procedure>
  void command(Procedure procedure);
  void halt();
  void fail(const RunTimeError& error);
  void endProgram(int status);

  Form1 form_;
  QtBoardView board_;
  DrawLogic logic_;
  RunTimeErrorReport& report_;
  ProgramEnd& end_;
  bool ended_ = false;
};

}  // namespace lotto::desktop
