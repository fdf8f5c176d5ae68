// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// recording_board_view.h: a board view with no window behind it, holding the board as plain data for tests.
#pragma once

#include <array>
#include <string>

#include "board_view.h"
#include "draw_logic.h"
#include "expected_states.h"

namespace lotto::testing {

class RecordingBoardView : public BoardView {
 public:
  struct Label {
    std::u16string text;
    bool visible = true;
  };
  struct Disc {
    Colour colour = kBallAtRest;
    bool visible = true;
  };

  RecordingBoardView() {
    for (SmallInt i = 0; i < kBallCount; ++i) labels[i].text = std::u16string(1, u'0');  // the design's "0"
    for (SmallInt k = 0; k < kSlotCount; ++k) labels[kFirstSlotLabel + k].text = kSlotHeadings[k];
  }

  std::u16string labelText(SmallInt label) const override { return labels.at(checked(label)).text; }
  void setLabelText(SmallInt label, const std::u16string& text) override { labels.at(checked(label)).text = text; }
  void setLabelVisible(SmallInt label, bool visible) override { labels.at(checked(label)).visible = visible; }
  void setDiscColour(SmallInt disc, Colour colour) override { discs.at(checked(disc)).colour = colour; }
  void setDiscVisible(SmallInt disc, bool visible) override { discs.at(checked(disc)).visible = visible; }
  void setButtonEnabled(Button button, bool enabled) override { buttonEnabled[static_cast<int>(button)] = enabled; }
  void setInstructionText(const std::u16string& text) override { instruction = text; }
  void setTimerInterval(int milliseconds) override { timerInterval = milliseconds; }
  void setTimerEnabled(bool enabled) override { timerEnabled = enabled; }
  void endProgram() override { ++endCalls; }

  bool enabled(Button button) const { return buttonEnabled[static_cast<int>(button)]; }

  std::array<Label, kLabelCount> labels;
  std::array<Disc, kLabelCount> discs;
  // The window's state at start, as designed: Next and 清除 greyed, the roll running every 30 ms.
  std::array<bool, 3> buttonEnabled{expectedState(Phase::Opened).next, expectedState(Phase::Opened).draw,
                                    expectedState(Phase::Opened).clear};
  std::u16string instruction = expectedState(Phase::Opened).line;
  int timerInterval = kRollIntervalMs;
  bool timerEnabled = expectedState(Phase::Opened).rolling;
  int endCalls = 0;

 private:
  static SmallInt checked(SmallInt index) {
    if (index < 0 || index >= kLabelCount) throw RunTimeError::noSuchControl();
    return index;
  }
};

}  // namespace lotto::testing
