// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// commands.cpp: loading the board and the four buttons that drive a game.
#include "draw_logic.h"

namespace lotto {

std::u16string ballNumberText(SmallInt ball) {
  const std::string digits = std::to_string(add16(ball, 1));
  return std::u16string(digits.begin(), digits.end());
}

void DrawLogic::Form_Load() {
  for (SmallInt ball = 0; ball < kBallCount; ++ball) {
    board_.setLabelText(ball, ballNumberText(ball));
  }
}

void DrawLogic::Command1_Click() {
  board_.setTimerInterval(kRollIntervalMs);
  board_.setTimerEnabled(true);
  if (state_.drawnCount < kSlotCount) {
    board_.setButtonEnabled(Button::Command2, true);
    board_.setInstructionText(texts::kPressDraw);
  }
}

void DrawLogic::Command2_Click() {
  board_.setTimerEnabled(false);
  // A click that beats the first tick since the board last changed would take a ball chosen
  // before the press; light one of the balls now on the board first, exactly as a tick would.
  if (!state_.candidateRolled) {
    Timer1_Timer();
  }
  const SmallInt slot = add16(kFirstSlotLabel, state_.drawnCount);
  board_.setLabelText(slot, board_.labelText(state_.candidateIndex));
  board_.setDiscVisible(state_.candidateIndex, false);
  board_.setLabelVisible(state_.candidateIndex, false);
  state_.drawnCount = add16(state_.drawnCount, 1);
  state_.candidateRolled = false;
  board_.setButtonEnabled(Button::Command1, true);
  board_.setButtonEnabled(Button::Command3, true);
  if (state_.drawnCount == kSlotCount) {
    board_.setButtonEnabled(Button::Command2, false);
    board_.setButtonEnabled(Button::Command1, false);
    board_.setInstructionText(texts::kPressClear);
  }
  board_.setButtonEnabled(Button::Command2, false);
  if (state_.drawnCount < kSlotCount) {
    board_.setInstructionText(texts::kNextThenDraw);
  }
}

void DrawLogic::Command3_Click() {
  for (SmallInt ball = 0; ball < kBallCount; ++ball) {
    board_.setDiscColour(ball, kBallAtRest);
    board_.setLabelText(ball, ballNumberText(ball));
    board_.setDiscVisible(ball, true);
    board_.setLabelVisible(ball, true);
  }
  for (SmallInt k = 0; k < kSlotCount; ++k) {
    board_.setLabelText(add16(kFirstSlotLabel, k), texts::kSlotHeadings[k]);
  }
  state_.drawnCount = 0;
  state_.candidateRolled = false;
  board_.setButtonEnabled(Button::Command2, true);
  board_.setButtonEnabled(Button::Command3, false);
  board_.setButtonEnabled(Button::Command1, false);
  board_.setTimerInterval(kRollIntervalMs);
  board_.setTimerEnabled(true);
  board_.setInstructionText(texts::kPressDraw);
}

void DrawLogic::Command4_Click() { board_.endProgram(); }

}  // namespace lotto
