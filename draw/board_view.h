// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// board_view.h: the window as the draw logic sees it: indexed labels, discs, buttons, the line and the timer.
#pragma once

#include <string>

#include "colour.h"
#include "small_int.h"

namespace lotto {

// Ball i (0..41) is Label1(i) over Shape1(i); result slot k (0..6) is Label1(42 + k). A game draws one ball
// into each slot, so it ends after kSlotCount draws.
constexpr SmallInt kBallCount = 42;
constexpr SmallInt kSlotCount = 7;
constexpr SmallInt kFirstSlotLabel = kBallCount;
constexpr SmallInt kLabelCount = kBallCount + kSlotCount;
constexpr bool isSlot(int label) { return label >= kFirstSlotLabel; }

enum class Button { Command1, Command2, Command3 };  // Next, 開獎, 清除; Bye is never changed

// Every operation acts at once on the window or raises a RunTimeError; an index with no
// control behind it is such an error. Every board view keeps these promises besides:
// - A label set to the text it already has changes nothing and announces nothing to assistive technology.
// - Setting the interval the timer already has, or enabling a running timer, keeps its beat: the next tick
//   comes when it would have come. Command1_Click sets both while the light may be rolling.
// - Ball i is on the board only while both its disc Shape1(i) and its number Label1(i) show: half of one is
//   no ball, to the eye or to a screen reader.
class BoardView {
 public:
  virtual ~BoardView() = default;

  virtual std::u16string labelText(SmallInt label) const = 0;
  virtual void setLabelText(SmallInt label, const std::u16string& text) = 0;
  virtual void setLabelVisible(SmallInt label, bool visible) = 0;
  virtual void setDiscColour(SmallInt disc, Colour colour) = 0;
  virtual void setDiscVisible(SmallInt disc, bool visible) = 0;
  virtual void setButtonEnabled(Button button, bool enabled) = 0;
  virtual void setInstructionText(const std::u16string& text) = 0;
  virtual void setTimerInterval(int milliseconds) = 0;
  virtual void setTimerEnabled(bool enabled) = 0;
  // Bye: after this no further procedure runs; the caller does nothing more either. The midend between the
  // draw logic and a front end takes this call and ends the program itself; a board view that gets it
  // directly stops its timer, so that no tick runs after it.
  virtual void endProgram() = 0;
};

}  // namespace lotto
