// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// loaded_board.cpp: the design's board, and the form's load run on it at build time.
#include "loaded_board.h"

#include <stdexcept>

#include "draw_logic.h"

namespace lotto::web {

namespace {

// The form's load numbers the balls and rolls nothing; a roll here would be a draw decided at build time.
class NoRolls : public RandomSource {
 public:
  float next() override { throw std::logic_error("the form's load rolled the light"); }
};

}  // namespace

LoadedBoard::LoadedBoard() {
  const design::FormDesign& d = design::form1();
  for (int i = 0; i < kLabelCount; ++i) {
    items[i] = {d.label1[i].caption, true, true, d.shape1[i].fill};
  }
  for (int c = 0; c < design::kControlCount; ++c) {
    enabled[c] = d.controls[c].enabledAtStart;
  }
}

void LoadedBoard::endProgram() { throw std::logic_error("the form's load ended the program"); }

LoadedBoard loadedForm1() {
  LoadedBoard board;
  NoRolls noRolls;
  DrawLogic(board, noRolls).Form_Load();
  return board;
}

}  // namespace lotto::web
