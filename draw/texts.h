// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// texts.h: the texts the program writes to its board.
#pragma once

#include "board_view.h"

namespace lotto::texts {

constexpr const char16_t* kPressDraw = u"請按開獎";
constexpr const char16_t* kNextThenDraw = u"NEXT開獎";
constexpr const char16_t* kPressClear = u"按清除重開";
// Every text the instruction line can show, for whatever must be ready to draw each one (the page's font).
constexpr const char16_t* kInstructionTexts[] = {kPressDraw, kNextThenDraw, kPressClear};
// Headings of the empty result slots; the last marks the special number.
constexpr const char16_t* kSlotHeadings[kSlotCount] = {u"一", u"二", u"三", u"四", u"五", u"六", u"特"};

}  // namespace lotto::texts
