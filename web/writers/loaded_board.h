// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// loaded_board.h: a stand-in board that records what the form's load leaves on it, for the page's first paint.
#pragma once

#include <array>
#include <string>

#include "board_view.h"
#include "form1_design.h"

namespace lotto::web {

// The board as the design draws it, then as the form's load leaves it: what the first paint shows, before any
// script runs. Only what the page writes into its HTML is kept; the timer starts with the program.
class LoadedBoard : public BoardView {
 public:
  struct Item {
    std::u16string caption;
    bool labelShown = true;
    bool discShown = true;
    Colour fill = 0;
  };

  LoadedBoard();

  std::u16string labelText(SmallInt label) const override { return at(label).caption; }
  void setLabelText(SmallInt label, const std::u16string& text) override { at(label).caption = text; }
  void setLabelVisible(SmallInt label, bool visible) override { at(label).labelShown = visible; }
  void setDiscColour(SmallInt disc, Colour colour) override { at(disc).fill = colour; }
  void setDiscVisible(SmallInt disc, bool visible) override { at(disc).discShown = visible; }
  void setButtonEnabled(Button button, bool on) override { enabled[static_cast<int>(design::controlOf(button))] = on; }
  void setInstructionText(const std::u16string& text) override { instruction = text; }
  void setTimerInterval(int) override {}
  void setTimerEnabled(bool) override {}
  void endProgram() override;

  std::array<Item, kLabelCount> items;
  std::array<bool, design::kControlCount> enabled{};
  std::u16string instruction;

 private:
  Item& at(SmallInt index) { return items[design::checkedItemIndex(index)]; }
  const Item& at(SmallInt index) const { return items[design::checkedItemIndex(index)]; }
};

// The design's board after the form's load has run on it.
LoadedBoard loadedForm1();

}  // namespace lotto::web
