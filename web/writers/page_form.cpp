// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_form.cpp: the design and the form's load written as the page's elements and their stylesheet.
#include "page_form.h"

#include <algorithm>
#include <stdexcept>

#include "accessible_texts.h"
#include "design_faces.h"
#include "form1_design.h"
#include "loaded_board.h"
#include "shipped_face.h"
#include "style_sheet.h"
#include "utf8.h"

namespace lotto::web {

using design::toPixels;

namespace {

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string escaped(const std::u16string& text) { return escaped(utf8(text)); }

std::string px(int value) { return std::to_string(value) + "px"; }

std::string position(int left, int top) { return "left:" + px(left) + ";top:" + px(top); }
std::string size(int width, int height) { return "width:" + px(width) + ";height:" + px(height); }
std::string box(const design::TwipRect& r) {
  return position(toPixels(r.left), toPixels(r.top)) + ";" + size(toPixels(r.width), toPixels(r.height));
}

std::string quotedFamily(const std::string& family) { return "\"" + family + "\""; }

// The shipped subset first where it stands in, then the design's face, its installed substitutes, its kind.
std::string fontFamily(const design::FontDesign& font) {
  std::string stack;
  if (design::isBig5(font)) {
    stack = quotedFamily(kShippedMingFamily) + ",";
  }
  stack += quotedFamily(utf8(font.face));
  if (const design::FaceSubstitutes* substitutes = design::substitutesFor(font.face)) {
    for (const char* candidate : substitutes->candidates) {
      stack += "," + quotedFamily(candidate);
    }
    stack += std::string(",") + substitutes->genericFamily;
  }
  return stack;
}

std::string cssFont(const design::FontDesign& font) {
  return std::string("font:") + (font.bold ? "bold " : "") + px(design::pixelSize(font)) + " " + fontFamily(font);
}

std::string itemName(const char* array, int index) { return std::string(array) + "-" + std::to_string(index); }

std::string designSelector(const std::string& name) { return "[data-design=" + name + "]"; }

class FormWriter {
 public:
  explicit FormWriter(const LoadedBoard& board) : board_(board) {}

  // A frame line as painted: the stroke's width across it, and its square caps half that width past each end.
  void line(const design::LineDesign& l) {
    const int reach = l.widthPixels / 2;
    const int x1 = toPixels(std::min(l.x1, l.x2)), x2 = toPixels(std::max(l.x1, l.x2));
    const int y1 = toPixels(std::min(l.y1, l.y2)), y2 = toPixels(std::max(l.y1, l.y2));
    html_ += "<div class=\"line\" data-design=\"" + std::string(l.name) + "\"></div>\n";
    const std::string selector = designSelector(l.name);
    css_.set("line", selector, "box",
             position(x1 - reach, y1 - reach) + ";" + size(x2 - x1 + l.widthPixels, y2 - y1 + l.widthPixels));
    css_.set("line", selector, "colour", "background-color:" + hexColour(l.colour));
  }

  // A ball or result slot: Label1(i) painted over Shape1(i), one item of its list for screen readers, named for
  // what it shows; its disc and number are only how it looks. The balls still on the board make one list and the
  // slots, in order, the next, so that a screen reader moves through the board as a player would, and says "image"
  // of none of them. Items come in index order, balls first.
  void item(int index) {
    if (index != nextItem_) {
      throw std::logic_error("the balls and slots are no longer written in index order");
    }
    if (index == 0 || index == kFirstSlotLabel) {
      html_ += std::string(index == 0 ? "" : "</div>\n") + "<div role=\"list\" aria-label=\"" +
               escaped(index == 0 ? midend::kBallsListName : midend::kSlotsListName) + "\">\n";
    }
    ++nextItem_;
    const design::FormDesign& d = design::form1();
    const design::DiscDesign& disc = d.shape1[index];
    const design::LabelDesign& label = d.label1[index];
    const LoadedBoard::Item& loaded = board_.items[index];
    const std::string id = "item-" + std::to_string(index);
    const std::string discName = itemName(d.shape1Name, index), labelName = itemName(d.label1Name, index);
    const bool onBoard = loaded.labelShown && loaded.discShown;

    html_ += "<div class=\"item\" id=\"" + id + "\" role=\"listitem\" aria-label=\"" +
             escaped(midend::labelName(index, loaded.caption)) + "\"" + (onBoard ? "" : " aria-hidden=\"true\"") +
             (loaded.labelShown || loaded.discShown ? "" : " hidden") + ">";
    html_ += "<div class=\"disc\" data-design=\"" + discName + "\" aria-hidden=\"true\"" +
             (loaded.discShown ? "" : " hidden") + "></div>";
    html_ += "<span class=\"label\" data-design=\"" + labelName + "\" aria-hidden=\"true\"" +
             (loaded.labelShown ? "" : " hidden") + ">" + escaped(loaded.caption) + "</span></div>\n";
    if (index == kLabelCount - 1) {
      html_ += "</div>\n";
    }

    const int discLeft = toPixels(disc.rect.left), discTop = toPixels(disc.rect.top);
    const std::string itemSize = size(toPixels(disc.rect.width), toPixels(disc.rect.height));
    css_.set("item", "#" + id, "position", position(discLeft, discTop));
    css_.set("item", "#" + id, "size", itemSize);
    const std::string discSelector = designSelector(discName);
    css_.set("disc", discSelector, "size", itemSize);
    css_.set("disc", discSelector, "fill", "background-color:" + hexColour(loaded.fill));
    css_.set("disc", discSelector, "outline", "border:" + px(disc.outlinePixels) + " solid " + hexColour(disc.outline));
    // A number label keeps its corner and sizes itself to its text, given here from its disc's corner.
    const std::string labelSelector = designSelector(labelName);
    css_.set("label", labelSelector, "position",
             position(toPixels(label.left) - discLeft, toPixels(label.top) - discTop));
    css_.set("label", labelSelector, "font", cssFont(*label.font));
    css_.set("label", labelSelector, "colour",
             "color:" + (label.usesDefaultTextColour ? std::string("ButtonText") : hexColour(label.textColour)));
  }

  void control(design::Control which) {
    const design::ControlDesign& c = design::form1().control(which);
    const bool enabled = board_.enabled[static_cast<int>(which)];
    const std::string name = c.name;
    if (c.kind == design::ControlDesign::Kind::Button) {
      html_ += "<button type=\"button\" class=\"control\" data-design=\"" + name + "\"";
      if (midend::description(which) != nullptr) {
        html_ += " aria-describedby=\"" + descriptionId(name) + "\"";
        descriptions_ += "<span id=\"" + descriptionId(name) + "\">" + escaped(midend::description(which)) + "</span>";
      }
      // Greyed as the page greys it (lotto.js). Firefox would give a button back, on a reload, the switched-off
      // state the program's end left it in.
      html_ += std::string(" autocomplete=\"off\"") + (enabled ? "" : " aria-disabled=\"true\" tabindex=\"-1\"") + ">" +
               escaped(c.caption) + "</button>\n";
    } else {
      html_ += "<input type=\"text\" class=\"control\" data-design=\"" + name + "\" aria-label=\"" +
               escaped(midend::kInstructionLineName) + "\" autocomplete=\"off\" spellcheck=\"false\"" +
               (board_.instruction.empty() ? "" : " value=\"" + escaped(board_.instruction) + "\"") +
               (enabled ? "" : " disabled") + ">\n";
    }
    css_.set("control", designSelector(name), "box", box(c.rect));
    css_.set("control", designSelector(name), "font", cssFont(*c.font));
  }

  PageForm page() {
    const design::FormDesign& d = design::form1();
    css_.set("form", designSelector(d.name), "size", size(toPixels(d.clientWidth), toPixels(d.clientHeight)));
    css_.set("form", designSelector(d.name), "colour", "background-color:" + hexColour(d.background));
    PageForm form;
    form.html = "<div data-design=\"" + std::string(d.name) + "\" class=\"form\" inert>\n" + html_ + "</div>\n";
    // Hidden: a description is read with its button, never as a line of the page.
    form.descriptions = "<div class=\"for-screen-readers\" hidden>" + descriptions_ + "</div>\n";
    form.css = css_.text();
    return form;
  }

 private:
  static std::string descriptionId(const std::string& control) { return control + "-description"; }

  const LoadedBoard& board_;
  int nextItem_ = 0;
  std::string html_;
  std::string descriptions_;
  StyleSheet css_;
};

// What the page's fit needs and the shipped face, before the elements' rules.
std::string sheetHead() {
  const design::FormDesign& d = design::form1();
  return "@font-face{font-family:" + quotedFamily(kShippedMingFamily) + ";src:url(" + kShippedMingFile +
         ") format(\"woff2\");font-display:block}\n"
         ":root{--form1-width:" +
         std::to_string(toPixels(d.clientWidth)) + ";--form1-height:" + std::to_string(toPixels(d.clientHeight)) +
         "}\n"
         // The page's own sentences speak in the instruction line's face: the design's regular Ming.
         "body{font-family:" +
         fontFamily(*d.control(design::Control::Text1).font) + "}\n";
}

}  // namespace

PageForm form1Page() {
  const LoadedBoard board = loadedForm1();

  // Each label sits right above its own disc in the stacking order, so a ball or slot is one element; the page
  // stacks its elements in document order, from the bottom up.
  const design::FormDesign& d = design::form1();
  FormWriter writer(board);
  int discBelow = -1;
  for (auto it = d.stackingTopDown.rbegin(); it != d.stackingTopDown.rend(); ++it) {
    switch (it->kind) {
      case design::ItemRef::Kind::Line:
        writer.line(d.lines[it->index]);
        break;
      case design::ItemRef::Kind::Disc:
        writer.item(it->index);
        break;
      case design::ItemRef::Kind::Label:
        if (discBelow != it->index) {
          throw std::logic_error("a number label that is not right above its disc cannot share its element");
        }
        break;
    }
    discBelow = it->kind == design::ItemRef::Kind::Disc ? it->index : -1;
  }
  for (design::Control c : design::controlsInTabOrder()) {
    writer.control(c);
  }
  PageForm form = writer.page();
  form.css = sheetHead() + form.css;
  return form;
}

}  // namespace lotto::web
