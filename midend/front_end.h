// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// front_end.h: what the midend asks of a front end besides its board view: the controls, speech and the end.
#pragma once

#include <string>

#include "form1_design.h"

namespace lotto::midend {

// Why the focus moves: a toolkit treats the focus given as the window opens like a Tab, and one the game
// moves on like any other.
enum class FocusMove { WindowOpened, GameGoesOn };

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Whether the control takes clicks and the focus now.
  virtual bool controlEnabled(design::Control control) const = 0;
  // Called once, after Form_Load has filled the board.
  virtual void showWindow() = 0;
  virtual void focusControl(design::Control control, FocusMove move) = 0;
  // Said to the player wherever the focus is, before what the control focused next says (focusControl
  // follows at once when the focus moves on): a screen reader must say it first.
  virtual void announce(const std::u16string& text) = 0;
  // Tells the run-time error that ends the program: the window's title and the error's line, in UTF-8.
  virtual void showRunTimeError(const std::u16string& title, const std::string& line) = 0;
  // The program ends with `status`: 0 after Bye, 1 after a run-time error, shown first.
  virtual void end(int status) = 0;
};

}  // namespace lotto::midend
