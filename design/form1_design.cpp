// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// form1_design.cpp: the one table that holds the lottery window's design.
#include "form1_design.h"

#include <algorithm>
#include <cmath>

#include "draw_logic.h"
#include "texts.h"

namespace lotto::design {

namespace {

constexpr FontDesign kMingBold14{u"新細明體", 14.25, true, kBig5Charset};
constexpr FontDesign kSansBold13{u"MS Sans Serif", 13.5, true, kAnsiCharset};
constexpr FontDesign kMingRegular12{u"新細明體", 12, false, kBig5Charset};
constexpr FontDesign kMingBold18{u"新細明體", 18, true, kBig5Charset};

constexpr int kButtonLeft = 7200, kButtonWidth = 1455, kButtonHeight = 615;
constexpr int kDiscSize = 735;
constexpr Colour kDiscFill = kBallAtRest;  // the logic restores this colour
constexpr Colour kDiscOutline = rgb(0, 0, 255);
constexpr Colour kSpecialSlotText = rgb(192, 0, 0);
constexpr Colour kFrameColour = rgb(0, 128, 0);
constexpr int kFrameWidthPixels = 7;

constexpr std::array<int, 7> kBallDiscLeftRow0{330, 1320, 2250, 3210, 4200, 5160, 6120};
constexpr std::array<int, 7> kBallDiscLeftOtherRows{360, 1350, 2280, 3240, 4230, 5190, 6150};
constexpr std::array<int, 6> kBallDiscTop{233, 1200, 2160, 3120, 4080, 5040};
constexpr std::array<int, 6> kBallLabelTop{420, 1380, 2340, 3300, 4260, 5220};
constexpr int kBallLabelOffset = 270;  // number label Left = disc Left + 270

constexpr std::array<int, 7> kSlotDiscLeft{360, 1350, 2280, 3240, 4230, 5190, 6150};
constexpr std::array<int, 7> kSlotLabelLeft{540, 1530, 2460, 3420, 4410, 5370, 6330};
constexpr std::array<int, 7> kSlotLabelTop{6427, 6427, 6427, 6427, 6427, 6420, 6427};
constexpr int kSlotDiscTop = 6240;
constexpr int kFirstLabelTabIndex = 4;

constexpr DiscDesign disc(int left, int top) { return {{left, top, kDiscSize, kDiscSize}, kDiscFill, kDiscOutline, 1}; }

constexpr FormDesign makeForm1() {
  FormDesign d{};
  d.name = "Form1";
  d.title = u"樂透程式";
  d.clientWidth = 8895;
  d.clientHeight = 7455;
  d.background = rgb(0, 192, 192);
  d.timerIntervalMs = kRollIntervalMs;
  d.timerEnabledAtStart = true;
  constexpr auto kButton = ControlDesign::Kind::Button;
  d.controls[static_cast<int>(Control::Command2)] = {
      "Command2", kButton, u"開獎", {kButtonLeft, 1200, kButtonWidth, kButtonHeight}, &kMingBold14, true, 1};
  d.controls[static_cast<int>(Control::Command1)] = {
      "Command1", kButton, u"Next", {kButtonLeft, 2160, kButtonWidth, kButtonHeight}, &kSansBold13, false, 0};
  d.controls[static_cast<int>(Control::Command3)] = {
      "Command3", kButton, u"清除", {kButtonLeft, 3120, kButtonWidth, kButtonHeight}, &kMingBold14, false, 2};
  d.controls[static_cast<int>(Control::Command4)] = {
      "Command4", kButton, u"Bye", {kButtonLeft, 4080, kButtonWidth, kButtonHeight}, &kSansBold13, true, 3};
  d.controls[static_cast<int>(Control::Text1)] = {
      "Text1", ControlDesign::Kind::TextBox, u"", {kButtonLeft, 5040, kButtonWidth, 375}, &kMingRegular12, true, 53};
  d.shape1Name = "Shape1";
  d.label1Name = "Label1";

  for (int i = 0; i < kBallCount; ++i) {
    const int row = i / 7, column = i % 7;
    const int discLeft = row == 0 ? kBallDiscLeftRow0[column] : kBallDiscLeftOtherRows[column];
    d.shape1[i] = disc(discLeft, kBallDiscTop[row]);
    d.label1[i] = {discLeft + kBallLabelOffset, kBallLabelTop[row], u"0", &kMingBold18, 0, true,
                   kFirstLabelTabIndex + i};
  }
  for (int k = 0; k < kSlotCount; ++k) {
    const int i = kFirstSlotLabel + k;
    const bool special = k == kSlotCount - 1;
    d.shape1[i] = disc(kSlotDiscLeft[k], kSlotDiscTop);
    d.label1[i] = {kSlotLabelLeft[k],
                   kSlotLabelTop[k],
                   texts::kSlotHeadings[k],
                   &kMingBold18,
                   special ? kSpecialSlotText : 0,
                   !special,
                   kFirstLabelTabIndex + i};
  }

  d.lines[0] = {"Line1", 240, 6120, 7080, 6120, kFrameColour, kFrameWidthPixels};
  d.lines[1] = {"Line2", 7080, 7200, 7080, 6120, kFrameColour, kFrameWidthPixels};
  d.lines[2] = {"Line3", 240, 7200, 7080, 7200, kFrameColour, kFrameWidthPixels};
  d.lines[3] = {"Line4", 240, 7200, 240, 6120, kFrameColour, kFrameWidthPixels};

  // Top of the stack first: each label over its disc, Label1(48) highest, the lines lowest.
  int n = 0;
  for (int i = kLabelCount - 1; i >= 0; --i) {
    d.stackingTopDown[n++] = {ItemRef::Kind::Label, i};
    d.stackingTopDown[n++] = {ItemRef::Kind::Disc, i};
  }
  for (int line = kLineCount - 1; line >= 0; --line) {
    d.stackingTopDown[n++] = {ItemRef::Kind::Line, line};
  }
  return d;
}

constexpr FormDesign kForm1 = makeForm1();

}  // namespace

const FormDesign& form1() { return kForm1; }

int pixelSize(const FontDesign& font) {
  constexpr double kDesignDpi = 96.0, kPointsPerInch = 72.0;
  return static_cast<int>(std::lround(font.points * kDesignDpi / kPointsPerInch));
}

Control controlOf(Button button) {
  switch (button) {
    case Button::Command1:
      return Control::Command1;
    case Button::Command2:
      return Control::Command2;
    case Button::Command3:
      return Control::Command3;
  }
  throw RunTimeError::noSuchControl();
}

std::array<Control, kControlCount> controlsInTabOrder() {
  std::array<Control, kControlCount> order{Control::Command1, Control::Command2, Control::Command3, Control::Command4,
                                           Control::Text1};
  std::sort(order.begin(), order.end(),
            [](Control a, Control b) { return kForm1.control(a).tabIndex < kForm1.control(b).tabIndex; });
  return order;
}

std::vector<const char16_t*> designCaptions() {
  std::vector<const char16_t*> captions{kForm1.title};
  for (const ControlDesign& control : kForm1.controls) {
    captions.push_back(control.caption);
  }
  for (const LabelDesign& label : kForm1.label1) {
    captions.push_back(label.caption);
  }
  return captions;
}

int checkedItemIndex(int index) {
  if (index < 0 || index >= kLabelCount) {
    throw RunTimeError::noSuchControl();
  }
  return index;
}

}  // namespace lotto::design
