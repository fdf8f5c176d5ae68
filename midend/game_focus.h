// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_focus.h: which control the keyboard focus goes to as the game goes on.
#pragma once

#include <functional>
#include <optional>

#include "form1_design.h"

namespace lotto::midend {

using design::Control;

using ControlEnabled = std::function<bool(Control)>;

// How a button was pressed: a finger on a touch screen moves the focus differently.
enum class PressedBy { Keyboard, Mouse, Touch };

// When the window opens: the first control in tab order that can take the focus.
Control firstInTabOrder(const ControlEnabled& enabled);

// After a command: 開獎, else Next, else the instruction line; never 清除 or Bye, where a toolkit would move
// the focus from a button that greyed itself, and a second Space would wipe the game or quit.
// After a touch the focus stays on buttons: 開獎, else Next, else 清除 once the seventh number is drawn. A
// focused text box raises a phone's on-screen keyboard over the board, and a finger that meant to press one
// button presses no other by itself, so 清除 is safe there; Bye never is. Nothing when no such button is enabled.
std::optional<Control> whereTheGameGoesOn(const ControlEnabled& enabled, PressedBy pressedBy);

}  // namespace lotto::midend
