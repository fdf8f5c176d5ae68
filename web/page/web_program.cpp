// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_program.cpp: the page's clicks, by design index, handed to the midend.
#include "web_program.h"

#include "form1_design.h"

namespace lotto::web {

// An index the design gives no control clicks nothing: only the page's own buttons call this.
void WebProgram::click(int control, bool byTouch) {
  if (control < 0 || control >= design::kControlCount) {
    return;
  }
  midend_.click(static_cast<design::Control>(control), byTouch ? midend::PressedBy::Touch : midend::PressedBy::Mouse);
}

}  // namespace lotto::web
