// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_layout.h: the window's design as the page lays it out: CSS pixels, CSS colours and font stacks.
#pragma once

#include <emscripten/val.h>

#include <string>

#include "colour.h"
#include "form1_design.h"

namespace lotto::web {

std::string cssColour(Colour colour);

// The whole layout as one JavaScript object:
//   title; form {name, box, background}; shippedFont {family, file}; pageFont;
//   surface: the lightweight items from the bottom of the stacking order up: lines {kind "line", name, box,
//     colour}, and each ball or slot {kind "item", index, box (its disc's), disc {name, box, fill, outline,
//     outlineWidth}, label {name, left, top, caption, font, colour}}, its label's corner given from its disc's;
//   controls in tab order: {name, kind "button" or "text", caption, box, font, enabled, description, accessibleName}.
// Boxes are {left, top, width, height} in CSS pixels from the form's corner, fonts {family, size, weight}.
emscripten::val form1Layout();

}  // namespace lotto::web
