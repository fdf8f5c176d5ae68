// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_board.h: the page as the program sees it: the board in its elements, and the front end the midend asks.
#pragma once

#include "board_view.h"
#include "front_end.h"

namespace lotto {

// Implemented by the page in JavaScript, one object for both roles.
class WebBoard : public BoardView, public midend::FrontEnd {
 public:
  // The midend keeps Bye for itself; a page driven without one stops its light here.
  void endProgram() final { setTimerEnabled(false); }
};

}  // namespace lotto
