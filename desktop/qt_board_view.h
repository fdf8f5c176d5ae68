// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// qt_board_view.h: the board view bound to the controls of the real lottery window.
#pragma once

#include "board_view.h"

namespace lotto::desktop {

class Form1;

class QtBoardView : public BoardView {
 public:
  explicit QtBoardView(Form1& form) : form_(form) {}

  std::u16string labelText(SmallInt label) const override;
  void setLabelText(SmallInt label, const std::u16string& text) override;
  void setLabelVisible(SmallInt label, bool visible) override;
  void setDiscColour(SmallInt disc, Colour colour) override;
  void setDiscVisible(SmallInt disc, bool visible) override;
  void setButtonEnabled(Button button, bool enabled) override;
  void setInstructionText(const std::u16string& text) override;
  void setTimerInterval(int milliseconds) override;
  void setTimerEnabled(bool enabled) override;
  void endProgram() override;

 private:
  Form1& form_;
};

}  // namespace lotto::desktop
