// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_layout.cpp: twips to CSS pixels with the desktop's rounding, the design's colours and fonts as CSS.
#include "page_layout.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "accessible_texts.h"
#include "design_faces.h"
#include "shipped_face.h"

namespace lotto::web {

using design::toPixels;
using emscripten::val;

namespace {

// The system's button-text colour, which the design's default control text means.
constexpr const char* kDefaultControlText = "ButtonText";

val box(int left, int top, int width, int height) {
  val b = val::object();
  b.set("left", left);
  b.set("top", top);
  b.set("width", width);
  b.set("height", height);
  return b;
}

val pixelBox(const design::TwipRect& r) {
  return box(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
}

std::u16string quoted(const std::u16string& family) { return u"\"" + family + u"\""; }

std::u16string widened(const char* ascii) {
  return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii));
}

// The shipped subset first where it stands in, then the design's face, its installed substitutes, its kind.
std::u16string fontFamily(const design::FontDesign& font) {
  std::u16string stack;
  if (design::isBig5(font)) {
    stack = quoted(widened(kShippedMingFamily)) + u", ";
  }
  stack += quoted(font.face);
  if (const design::FaceSubstitutes* substitutes = design::substitutesFor(font.face)) {
    for (const char* candidate : substitutes->candidates) {
      stack += u", " + quoted(widened(candidate));
    }
    stack += u", " + widened(substitutes->genericFamily);
  }
  return stack;
}

val cssFont(const design::FontDesign& font) {
  val f = val::object();
  f.set("family", fontFamily(font));
  f.set("size", design::pixelSize(font));
  f.set("weight", font.bold ? "bold" : "normal");
  return f;
}

std::string itemName(const char* array, int index) { return std::string(array) + "-" + std::to_string(index); }

// A ball or result slot: Label1(i) painted over Shape1(i), one picture for the eye and for screen readers.
val item(int index) {
  const design::FormDesign& d = design::form1();
  const design::DiscDesign& discDesign = d.shape1[index];
  const design::LabelDesign& labelDesign = d.label1[index];
  const int discLeft = toPixels(discDesign.rect.left), discTop = toPixels(discDesign.rect.top);

  val disc = val::object();
  disc.set("name", itemName(design::form1().shape1Name, index));
  disc.set("box", box(0, 0, toPixels(discDesign.rect.width), toPixels(discDesign.rect.height)));
  disc.set("fill", cssColour(discDesign.fill));
  disc.set("outline", cssColour(discDesign.outline));
  disc.set("outlineWidth", discDesign.outlinePixels);

  val label = val::object();
  label.set("name", itemName(design::form1().label1Name, index));
  label.set("left", toPixels(labelDesign.left) - discLeft);
  label.set("top", toPixels(labelDesign.top) - discTop);
  label.set("caption", std::u16string(labelDesign.caption));
  label.set("font", cssFont(*labelDesign.font));
  label.set("colour",
            labelDesign.usesDefaultTextColour ? std::string(kDefaultControlText) : cssColour(labelDesign.textColour));

  val result = val::object();
  result.set("kind", "item");
  result.set("index", index);
  result.set("box", pixelBox(discDesign.rect));
  result.set("disc", disc);
  result.set("label", label);
  return result;
}

// A frame line as painted: the stroke's width across it, and its square caps half that width past each end.
val line(int index) {
  const design::LineDesign& l = design::form1().lines[index];
  const int reach = l.widthPixels / 2;
  const int x1 = toPixels(std::min(l.x1, l.x2)), x2 = toPixels(std::max(l.x1, l.x2));
  const int y1 = toPixels(std::min(l.y1, l.y2)), y2 = toPixels(std::max(l.y1, l.y2));
  val result = val::object();
  result.set("kind", "line");
  result.set("name", l.name);
  result.set("box", box(x1 - reach, y1 - reach, x2 - x1 + l.widthPixels, y2 - y1 + l.widthPixels));
  result.set("colour", cssColour(l.colour));
  return result;
}

val control(design::Control which) {
  const design::ControlDesign& c = design::form1().control(which);
  val result = val::object();
  result.set("name", c.name);
  result.set("kind", c.kind == design::ControlDesign::Kind::Button ? "button" : "text");
  result.set("caption", std::u16string(c.caption));
  result.set("box", pixelBox(c.rect));
  result.set("font", cssFont(*c.font));
  result.set("enabled", c.enabledAtStart);
  if (const char16_t* description = midend::description(which)) {
    result.set("description", std::u16string(description));
  }
  if (which == design::Control::Text1) {
    result.set("accessibleName", std::u16string(midend::kInstructionLineName));
  }
  return result;
}

}  // namespace

std::string cssColour(Colour colour) {
  return "rgb(" + std::to_string(redOf(colour)) + ", " + std::to_string(greenOf(colour)) + ", " +
         std::to_string(blueOf(colour)) + ")";
}

val form1Layout() {
  const design::FormDesign& d = design::form1();
  val layout = val::object();
  layout.set("title", std::u16string(d.title));

  val form = val::object();
  form.set("name", d.name);
  form.set("box", box(0, 0, toPixels(d.clientWidth), toPixels(d.clientHeight)));
  form.set("background", cssColour(d.background));
  layout.set("form", form);

  val font = val::object();
  font.set("family", kShippedMingFamily);
  font.set("file", kShippedMingFile);
  layout.set("shippedFont", font);
  // The page's own sentences speak in the instruction line's face: the design's regular Ming.
  layout.set("pageFont", cssFont(*d.control(design::Control::Text1).font));

  // Each label sits right above its own disc in the stacking order, so a ball or slot is one element.
  val surface = val::array();
  const auto& stacking = d.stackingTopDown;
  int discBelow = -1;
  for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) {
    switch (it->kind) {
      case design::ItemRef::Kind::Line:
        surface.call<void>("push", line(it->index));
        break;
      case design::ItemRef::Kind::Disc:
        surface.call<void>("push", item(it->index));
        break;
      case design::ItemRef::Kind::Label:
        if (discBelow != it->index) {
          throw std::logic_error("a number label that is not right above its disc cannot share its element");
        }
        break;
    }
    discBelow = it->kind == design::ItemRef::Kind::Disc ? it->index : -1;
  }
  layout.set("surface", surface);

  val controls = val::array();
  for (design::Control c : design::controlsInTabOrder()) {
    controls.call<void>("push", control(c));
  }
  layout.set("controls", controls);
  return layout;
}

}  // namespace lotto::web
