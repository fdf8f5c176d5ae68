// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// form1_design.h: the design of the lottery window as data: every position, size, colour, font and caption.
#pragma once

#include <array>
#include <vector>

#include "board_view.h"
#include "colour.h"

namespace lotto::design {

// Positions and sizes are in twips: 1440 to the inch, 15 to a pixel at 96 dpi.
struct TwipRect {
  int left, top, width, height;
};

// Which script a face is meant for, as the design records it.
constexpr int kAnsiCharset = 0;
constexpr int kBig5Charset = 136;

struct FontDesign {
  const char16_t* face;
  double points;
  bool bold;
  int charset;
};

constexpr bool isBig5(const FontDesign& font) { return font.charset == kBig5Charset; }

// A push button or the text box: the controls that take clicks, keys and the focus.
struct ControlDesign {
  const char* name;  // the design's name: "Command2", "Text1"
  enum class Kind { Button, TextBox } kind;
  const char16_t* caption;  // a button's; the text box starts empty
  TwipRect rect;
  const FontDesign* font;
  bool enabledAtStart;
  int tabIndex;
};

struct DiscDesign {
  TwipRect rect;
  Colour fill;
  Colour outline;
  int outlinePixels;
};

struct LabelDesign {
  int left, top;  // the label sizes itself to its text from here
  const char16_t* caption;
  const FontDesign* font;
  Colour textColour;
  bool usesDefaultTextColour;  // the system's button-text colour
  int tabIndex;
};

struct LineDesign {
  const char* name;  // "Line1" … "Line4"
  int x1, y1, x2, y2;
  Colour colour;
  int widthPixels;
};

// The controls that can take the focus, in the order FormDesign::controls holds them.
enum class Control { Command1, Command2, Command3, Command4, Text1 };
constexpr int kControlCount = 5;

// One lightweight item of the window's surface, for the stacking order.
struct ItemRef {
  enum class Kind { Label, Disc, Line } kind;
  int index;
};

constexpr int kLineCount = 4;
constexpr int kItemCount = 2 * kLabelCount + kLineCount;

struct FormDesign {
  const char* name;  // "Form1"
  const char16_t* title;
  int clientWidth, clientHeight;  // twips
  Colour background;
  int timerIntervalMs;
  bool timerEnabledAtStart;
  std::array<ControlDesign, kControlCount> controls;  // indexed by Control
  const char* shape1Name;                             // the control arrays: "Shape1", "Label1"
  std::array<DiscDesign, kLabelCount> shape1;
  const char* label1Name;
  std::array<LabelDesign, kLabelCount> label1;
  std::array<LineDesign, kLineCount> lines;  // Line1..Line4
  std::array<ItemRef, kItemCount> stackingTopDown;

  // Every design a control has, from this one table: the one way from a control to its design.
  constexpr const ControlDesign& control(Control which) const { return controls[static_cast<int>(which)]; }
};

const FormDesign& form1();

// Twips to logical pixels, rounded to nearest.
constexpr int toPixels(int twips) { return (2 * twips + 15) / 30; }

// A font's size in logical pixels: its points at 96 dpi, rounded to nearest.
int pixelSize(const FontDesign& font);

// The name the design gives a control.
inline const char* controlName(Control control) { return form1().control(control).name; }
// The control behind a button the draw logic greys.
Control controlOf(Button button);
// Sorted by the design's tab index.
std::array<Control, kControlCount> controlsInTabOrder();

// Every text the design itself shows: the title, the controls' captions, the labels' captions (the slots'
// headings among them), for whatever must be ready to draw each one (the page's font).
std::vector<const char16_t*> designCaptions();

// Label1 and Shape1 both run 0..48; any other index has no control behind it, a run-time error.
int checkedItemIndex(int index);

}  // namespace lotto::design
