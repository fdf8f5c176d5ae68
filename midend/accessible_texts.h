// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// accessible_texts.h: what screen readers are told about the lottery window, whatever draws it.
#pragma once

#include <optional>
#include <string>

#include "form1_design.h"

namespace lotto::midend {

// What the instruction line is for; its text alone does not say.
constexpr const char16_t* kInstructionLineName = u"操作提示";
// Said of the lit ball when asked; never announced, as the light moves every 30 ms.
constexpr const char16_t* kLitBall = u"亮燈中";
// Said when 清除 has emptied the slots: the board looks as it did at the start, and nothing else would say so.
constexpr const char16_t* kNewGame = u"新的一局開始";
// What the page names its two lists: the balls still on the board, then the result slots in order.
constexpr const char16_t* kBallsListName = u"還在台上的球";
constexpr const char16_t* kSlotsListName = u"開出的號碼";

// What a button does, beyond its caption; nullptr for a control that has none.
const char16_t* description(design::Control control);

// What a screen reader says for Label1(label) with `caption`: "號碼 7" for a ball, "第一個號碼 7" or
// "特別號 未開出" for a result slot.
std::u16string labelName(int label, const std::u16string& caption);

// What Label1(label) taking `caption` tells the player wherever the focus is: a number landing in a
// result slot is announced by the slot's name; the first slot emptied (a clear empties them all)
// says a new game has started; any other change tells nothing.
std::optional<std::u16string> drawAnnouncement(int label, const std::u16string& caption);

}  // namespace lotto::midend
