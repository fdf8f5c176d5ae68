// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// form1_design.h: the design of the lottery window as data: every position, size, colour, font and caption.
#pragma once

#include <array>

#include "board_view.h"
#include "colour.h"

namespace lotto::design {

// Positions and sizes are in twips: 1440 to the inch, 15 to a pixel at 96 dpi.
struct TwipRect {
  int left, top, width, height;
};

struct FontDesign {
  const char16_t* face;
  double points;
  bool bold;
  int charset;  // 136 Big5, 0 ANSI: which script the face is meant for
};

struct ButtonDesign {
  const char16_t* caption;
  TwipRect rect;
  const FontDesign* font;
  bool enabledAtStart;
  int tabIndex;
};

struct TextBoxDesign {
  TwipRect rect;
  const FontDesign* font;
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
  int x1, y1, x2, y2;
  Colour colour;
  int widthPixels;
};

// One lightweight item of the window's surface, for the stacking order.
struct ItemRef {
  enum class Kind { Label, Disc, Line } kind;
  int index;
};

constexpr int kLineCount = 4;
constexpr int kItemCount = 2 * kLabelCount + kLineCount;

struct FormDesign {
  const char16_t* title;
  int clientWidth, clientHeight;  // twips
  Colour background;
  int timerIntervalMs;
  bool timerEnabledAtStart;
  ButtonDesign command1, command2, command3, command4;
  TextBoxDesign text1;
  std::array<DiscDesign, kLabelCount> shape1;
  std::array<LabelDesign, kLabelCount> label1;
  std::array<LineDesign, kLineCount> lines;  // Line1..Line4
  std::array<ItemRef, kItemCount> stackingTopDown;
};

const FormDesign& form1();

// Twips to logical pixels, rounded to nearest.
constexpr int toPixels(int twips) { return (2 * twips + 15) / 30; }

// A font's size in logical pixels: its points at 96 dpi, rounded to nearest.
int pixelSize(const FontDesign& font);

// The controls that can take the focus, named as the design names them.
enum class Control { Command1, Command2, Command3, Command4, Text1 };
constexpr int kFocusableCount = 5;
const char* controlName(Control control);
Control controlOf(Button button);
// Sorted by the design's tab index.
std::array<Control, kFocusableCount> controlsInTabOrder();

// Label1 and Shape1 both run 0..48; any other index has no control behind it, a run-time error.
int checkedItemIndex(int index);

}  // namespace lotto::design
