// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_board.h: the page as the program sees it: the board in its elements, and the front end the midend asks.
#pragma once

#include <array>
#include <string>

#include "board_view.h"
#include "front_end.h"

namespace lotto::web {

// One object for both roles, each call passed to the page's script through a few plain imported functions
// (page_imports.js) taking indexes, flags, colours as 0xRRGGBB and texts as pointer and length. Indexes are checked
// here, before they reach the page, so that an index with no control behind it is the run-time error it is on the
// desktop; controls go by their design index, which the page learns with their names once, at the start.
class WebBoard : public BoardView, public midend::FrontEnd {
 public:
  // Tells the page which design index stands for which of its controls, named as the design names them, and puts
  // each control as the design starts it.
  void nameControls() const;

  std::u16string labelText(SmallInt label) const override;
  void setLabelText(SmallInt label, const std::u16string& text) override;
  void setLabelVisible(SmallInt label, bool visible) override;
  void setDiscColour(SmallInt disc, Colour colour) override;
  void setDiscVisible(SmallInt disc, bool visible) override;
  void setButtonEnabled(Button button, bool enabled) override;
  void setInstructionText(const std::u16string& text) override;
  void setTimerInterval(int milliseconds) override;
  void setTimerEnabled(bool enabled) override;
  // The midend keeps Bye for itself; a page driven without one stops its light here.
  void endProgram() override { setTimerEnabled(false); }

  bool controlEnabled(design::Control control) const override;
  void showWindow() override;
  void focusControl(design::Control control, midend::FocusMove move) override;
  void announce(const std::u16string& text) override;
  void showRunTimeError(const std::u16string& title, const std::string& line) override;
  void end(int status) override;

 private:
  // A tick writes 43 disc colours of which two change what the page shows, and each call into the page costs
  // microseconds: so the colour each disc last showed is kept here, as a painter keeps what it last painted, and only
  // a change is passed on. The page opens with every disc in its design fill, as the build wrote the window.
  std::array<Colour, kLabelCount> shownColours_ = designFills();
  static std::array<Colour, kLabelCount> designFills();
};

}  // namespace lotto::web
