// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_board.h: the board view as the page holds it in its elements, and what the page does besides for the program.
#pragma once

#include <string>

#include "board_view.h"

namespace lotto {

// Implemented by the page in JavaScript. Controls are named as the design names them ("Command2", "Text1").
class WebBoard : public BoardView {
 public:
  // Whether the control takes clicks and the focus now.
  virtual bool controlEnabled(const std::string& control) const = 0;
  virtual void focusControl(const std::string& control) = 0;
  // Shows the report of the run-time error that ends the program, then the page as ended.
  virtual void reportRunTimeError(const std::u16string& title, const std::string& text) = 0;

  // Bye: the page ends at once. Remembered here so that no procedure runs after it.
  void endProgram() final {
    ended_ = true;
    endPage();
  }
  bool ended() const { return ended_; }

 protected:
  virtual void endPage() = 0;

 private:
  bool ended_ = false;
};

}  // namespace lotto
