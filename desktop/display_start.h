// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// display_start.h: reaching the display: the standard descriptors, and a sentence naming what failed, not an abort.
#pragma once

#include <QtGlobal>
#include <string>

namespace lotto::desktop {

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed. Otherwise the next file or connection
// opened takes that number, and what is later written to stderr lands in the display connection.
void openClosedStandardDescriptors();

// The sentence for a start where no display is named at all, neither by the environment nor by a -platform
// argument to the toolkit; empty when one is.
std::string missingDisplaySentence(int argc, char* argv[]);

// While it lives, what the toolkit says as it connects to the display is held back: its messages and
// what its libraries write to stderr themselves. If no platform starts, the program ends at once with
// status 1 and one sentence saying what failed, instead of the toolkit's lines and an abort:
//  - a display that does not answer: the sentence names that display, and nothing follows it;
//  - a platform that does not exist: the sentence names it and the platforms there are;
//  - a platform plugin that is installed but does not load (a library it needs is missing): the sentence
//    names the plugin, and the toolkit's own lines follow it, the loader's reason first.
// release() (or the end of its life) hands what was held to stderr.
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

}  // namespace lotto::desktop
