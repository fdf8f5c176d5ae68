// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_focus.h: which control the keyboard focus goes to as the game goes on.
#pragma once

#include <functional>

#include "form1_design.h"

namespace lotto::midend {

using design::Control;

using ControlEnabled = std::function<bool(Control)>;

// When the window opens: the first control in tab order that can take the focus.
Control firstInTabOrder(const ControlEnabled& enabled);

// After a command: 開獎, else Next, else the instruction line; never 清除 or Bye, where a toolkit would move
// the focus from a button that greyed itself, and a second Space would wipe the game or quit.
Control whereTheGameGoesOn(const ControlEnabled& enabled);

}  // namespace lotto::midend
