// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// display_start.h: reaching the display: the standard descriptors, and one sentence instead of the toolkit's abort.
#pragma once

#include <QtGlobal>
#include <string>

namespace lotto {

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed. Otherwise the next file or connection
// opened takes that number, and what is later written to stderr lands in the display connection.
void openClosedStandardDescriptors();

// The sentence for a start where no display is named at all; empty when one is.
std::string missingDisplaySentence();

// The sentence for a toolkit that could not reach the display it tried, naming that display.
std::string unreachableDisplaySentence();

// While it lives, what the toolkit says as it connects to the display is held back: its messages and
// what its libraries write to stderr themselves. If it cannot reach a display, the program ends at once
// with the one sentence above and status 1, instead of the toolkit's lines and an abort. release() (or
// the end of its life) hands what was held to stderr.
class HeldToolkitStart {
 public:
  HeldToolkitStart();
  ~HeldToolkitStart() { release(); }
  HeldToolkitStart(const HeldToolkitStart&) = delete;
  HeldToolkitStart& operator=(const HeldToolkitStart&) = delete;

  void release();

 private:
  bool released_ = false;
};

}  // namespace lotto
