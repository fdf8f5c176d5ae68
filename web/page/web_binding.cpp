// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_binding.cpp: what the page calls of the program: a few plain exported functions on the one program it runs.
#include <emscripten/emscripten.h>

#include <optional>

#include "web_board.h"
#include "web_program.h"

namespace {

// Built at the first start and kept to the page's end: the page runs one program.
struct PageProgram {
  lotto::web::WebBoard board;
  lotto::web::WebProgram program{board};
};

std::optional<PageProgram>& pageProgram() {
  static std::optional<PageProgram> running;
  return running;
}

}  // namespace

extern "C" {

// Names the page's controls and starts the program; a second start changes nothing.
EMSCRIPTEN_KEEPALIVE void lotto_start() {
  std::optional<PageProgram>& running = pageProgram();
  if (running) {
    return;
  }
  running.emplace();
  running->board.nameControls();
  running->program.start();
}

EMSCRIPTEN_KEEPALIVE void lotto_tick() {
  if (std::optional<PageProgram>& running = pageProgram()) {
    running->program.tick();
  }
}

// A click on the control with the design index `control`, by a finger when `byTouch` is not 0.
EMSCRIPTEN_KEEPALIVE void lotto_click(int control, int byTouch) {
  if (std::optional<PageProgram>& running = pageProgram()) {
    running->program.click(control, byTouch != 0);
  }
}

}  // extern "C"
