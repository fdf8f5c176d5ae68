// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// game_focus.cpp: the focus at start and after each command.
#include "game_focus.h"

namespace lotto::midend {

Control firstInTabOrder(const ControlEnabled& enabled) {
  for (Control control : design::controlsInTabOrder()) {
    if (enabled(control)) {
      return control;
    }
  }
  return Control::Text1;  // never greyed
}

std::optional<Control> whereTheGameGoesOn(const ControlEnabled& enabled, PressedBy pressedBy) {
  const Control last = pressedBy == PressedBy::Touch ? Control::Command3 : Control::Text1;
  for (Control control : {Control::Command2, Control::Command1, last}) {
    if (enabled(control)) {
      return control;
    }
  }
  return std::nullopt;
}

}  // namespace lotto::midend
