// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_program.cpp: the page's clicks, by design name, handed to the midend.
#include "web_program.h"

#include "form1_design.h"

namespace lotto {

// A name the design does not give a control clicks nothing: only the page's own buttons call this.
void WebProgram::click(const std::string& control, bool byTouch) {
  for (design::Control named : design::controlsInTabOrder()) {
    if (control == design::controlName(named)) {
      midend_.click(named, byTouch ? midend::PressedBy::Touch : midend::PressedBy::Mouse);
      return;
    }
  }
}

}  // namespace lotto
