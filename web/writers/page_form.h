// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_form.h: the window as the page's first paint shows it, written at build time as HTML and a stylesheet.
#pragma once

#include <string>

namespace lotto::web {

struct PageForm {
  // The form's elements, as loaded: the lines, each ball or slot, the controls in tab order. The form is inert
  // until the program behind it runs.
  std::string html;
  // The buttons' descriptions, which screen readers tell and nobody sees.
  std::string descriptions;
  // Every position, size, colour and font of those elements, in CSS pixels rounded as the desktop rounds them.
  std::string css;
};

// The design, after the form's load has run on a board that records it.
PageForm form1Page();

}  // namespace lotto::web
