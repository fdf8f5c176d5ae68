// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_program.h: the running program behind the page: the draw logic on the page's board, and its events.
#pragma once

#include <optional>
#include <string>

#include "draw_logic.h"
#include "random_source.h"
#include "web_board.h"

namespace lotto {

// Routes the page's events to the draw procedures, one at a time; once the program has ended, by Bye or
// by a run-time error, no procedure runs any more.
class WebProgram {
 public:
  explicit WebProgram(WebBoard& board) : board_(board), logic_(board, random_) {}

  // Arms the timer as the design does, loads the board and gives the focus to the first control.
  void start();
  void tick();
  // A click on the button the design names `control` ("Command1" … "Command4"); a greyed one delivers none.
  void click(const std::string& control);

  bool ended() const { return failed_ || board_.ended(); }

 private:
  template <typename Procedure>
  void run(Procedure procedure);

  WebBoard& board_;
  SeededRandomSource random_;
  DrawLogic logic_;
  bool failed_ = false;
};

}  // namespace lotto
