// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// accessible_texts.cpp: the accessible names of the balls and slots, and the buttons' descriptions.
#include "accessible_texts.h"

namespace lotto::midend {

namespace {

constexpr const char16_t* kBallPrefix = u"號碼 ";
constexpr const char16_t* kSpecialSlot = u"特別號";
constexpr const char16_t* kSlotOrdinalBefore = u"第";
constexpr const char16_t* kSlotOrdinalAfter = u"個號碼";
constexpr const char16_t* kSlotEmpty = u"未開出";

constexpr const char16_t* kDrawHelp = u"取出亮燈的球";
constexpr const char16_t* kNextHelp = u"讓燈光繼續跳動";
constexpr const char16_t* kClearHelp = u"清除號碼，重新開始";
constexpr const char16_t* kByeHelp = u"結束程式";

const char16_t* heading(int label) { return design::form1().label1[label].caption; }

}  // namespace

const char16_t* description(design::Control control) {
  switch (control) {
    case design::Control::Command1:
      return kNextHelp;
    case design::Control::Command2:
      return kDrawHelp;
    case design::Control::Command3:
      return kClearHelp;
    case design::Control::Command4:
      return kByeHelp;
    case design::Control::Text1:
      return nullptr;
  }
  return nullptr;
}

std::u16string labelName(int label, const std::u16string& caption) {
  if (!isSlot(label)) {
    return kBallPrefix + caption;
  }
  const bool special = label == kLabelCount - 1;
  std::u16string name =
      special ? kSpecialSlot : kSlotOrdinalBefore + (heading(label) + std::u16string(kSlotOrdinalAfter));
  return name + u' ' + (caption == heading(label) ? kSlotEmpty : caption);
}

std::optional<std::u16string> drawAnnouncement(int label, const std::u16string& caption) {
  if (!isSlot(label)) {
    return std::nullopt;
  }
  if (caption != heading(label)) {
    return labelName(label, caption);
  }
  if (label == kFirstSlotLabel) {
    return std::u16string(kNewGame);
  }
  return std::nullopt;
}

}  // namespace lotto::midend
