// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// midend.h: the running program between the draw logic and a front end, the same on every front end.
#pragma once

#include <optional>
#include <string>

#include "board_view.h"
#include "draw_logic.h"
#include "form1_design.h"
#include "front_end.h"
#include "game_focus.h"
#include "random_source.h"

namespace lotto::midend {

// Turns a front end's events into the draw procedures, one at a time. A procedure's run-time error is
// reported and ends the program; so does Bye; once ended, no event runs anything. After each command what it
// made is announced, and then the focus goes on with the game: a screen reader queues what the focused control
// says behind what it is saying, and a player's next key cuts off everything queued, so the number said first
// is heard at once and never lost to a quick key.
class Midend {
 public:
  Midend(BoardView& board, RandomSource& random, FrontEnd& frontEnd);

  // Arms the timer as designed, loads the board, shows the window and focuses its first control.
  void start();
  void tick();
  // A press of `control`; a greyed control delivers nothing, however fast a script clicks.
  void click(Control control, PressedBy pressedBy);
  // The window closed: the toolkit ends the program, and nothing runs any more.
  void windowClosed();

  bool ended() const { return ended_; }
  const DrawLogic& logic() const { return logic_; }

 private:
  // The board as the draw logic sees it: the front end's, with Bye kept here and the announcements noted.
  class ProgramBoard : public BoardView {
   public:
    ProgramBoard(BoardView& view, Midend& midend) : view_(view), midend_(midend) {}

    std::u16string labelText(SmallInt label) const override { return view_.labelText(label); }
    void setLabelText(SmallInt label, const std::u16string& text) override;
    void setLabelVisible(SmallInt label, bool visible) override { view_.setLabelVisible(label, visible); }
    void setDiscColour(SmallInt disc, Colour colour) override { view_.setDiscColour(disc, colour); }
    void setDiscVisible(SmallInt disc, bool visible) override { view_.setDiscVisible(disc, visible); }
    void setButtonEnabled(Button button, bool enabled) override { view_.setButtonEnabled(button, enabled); }
    void setInstructionText(const std::u16string& text) override { view_.setInstructionText(text); }
    void setTimerInterval(int milliseconds) override { view_.setTimerInterval(milliseconds); }
    void setTimerEnabled(bool enabled) override { view_.setTimerEnabled(enabled); }
    void endProgram() override { midend_.byePressed_ = true; }

   private:
    BoardView& view_;
    Midend& midend_;
  };

  template <typename Procedure>
  void run(Procedure&& procedure);
  void halt();
  void focusAndAnnounce(std::optional<Control> focus, FocusMove move);
  bool enabled(Control control) const { return frontEnd_.controlEnabled(control); }

  BoardView& view_;
  FrontEnd& frontEnd_;
  ProgramBoard board_;
  DrawLogic logic_;
  bool ended_ = false;
  bool byePressed_ = false;
  std::optional<std::u16string> announcement_;  // the last one the running event made
};

}  // namespace lotto::midend
