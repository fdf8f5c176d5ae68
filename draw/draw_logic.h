// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// draw_logic.h: the event procedures of the lottery window, written against the board view only.
#pragma once

#include <string>

#include "board_view.h"
#include "draw_state.h"
#include "random_source.h"
#include "texts.h"

namespace lotto {

constexpr int kRollIntervalMs = 30;

// The decimal caption of ball i: "1" for ball 0 up to "42" for ball 41.
std::u16string ballNumberText(SmallInt ball);

class DrawLogic {
 public:
  DrawLogic(BoardView& board, RandomSource& random) : board_(board), random_(random) {}

  void Form_Load();
  void Timer1_Timer();    // the rolling light
  void Command1_Click();  // Next
  void Command2_Click();  // 開獎: take the lit ball
  void Command3_Click();  // 清除: a new game
  void Command4_Click();  // Bye

  const DrawState& state() const { return state_; }

 private:
  void rollCandidate();
  bool isDrawn(SmallInt ball) const;

  BoardView& board_;
  RandomSource& random_;
  DrawState state_;
};

}  // namespace lotto
