// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// roll.cpp: the rolling light: one tick lights one ball that has not been drawn.
#include "draw_logic.h"

namespace lotto {

void DrawLogic::Timer1_Timer() {
  for (SmallInt ball = 0; ball < kBallCount; ++ball) {
    board_.setDiscColour(ball, kBallAtRest);  // drawn balls too; they stay hidden
  }
  rollCandidate();
  state_.candidateRolled = true;
  board_.setDiscColour(state_.candidateIndex, kBallLit);
}

// Rolls until the candidate's number is in no filled slot; every re-roll scans from the first slot.
void DrawLogic::rollCandidate() {
  state_.candidateIndex = randomBallIndex(random_.next());
  while (isDrawn(state_.candidateIndex)) {
    state_.candidateIndex = randomBallIndex(random_.next());
  }
}

// A number counts as drawn when its text equals the text of a filled slot.
bool DrawLogic::isDrawn(SmallInt ball) const {
  const SmallInt pastLastFilled = add16(kFirstSlotLabel, state_.drawnCount);
  for (SmallInt slot = kFirstSlotLabel; slot < pastLastFilled; ++slot) {
    if (board_.labelText(slot) == board_.labelText(ball)) {
      return true;
    }
  }
  return false;
}

}  // namespace lotto
