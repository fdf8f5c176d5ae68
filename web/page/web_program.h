// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_program.h: the program behind the page: the midend on the page's board, rolling from the browser's entropy.
#pragma once

#include "midend.h"
#include "random_source.h"
#include "web_board.h"

namespace lotto::web {

// The page's events as the midend takes them; the page's controls go by their design index.
class WebProgram {
 public:
  explicit WebProgram(WebBoard& page) : midend_(page, random_, page) {}

  void start() { midend_.start(); }
  void tick() { midend_.tick(); }
  // A click on the control of design index `control` (design::Control); `byTouch` when a finger made it.
  void click(int control, bool byTouch);

 private:
  SeededRandomSource random_;  // before the midend, which rolls from it
  midend::Midend midend_;
};

}  // namespace lotto::web
