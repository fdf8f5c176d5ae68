// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// form1_accessibility.h: the painted balls and result slots of the lottery window, told to screen readers.
#pragma once

#include <QString>

#include "board_view.h"

namespace lotto::desktop {

class Form1;

// The window's accessible children start with one item per number label, Label1(0..48):
// the 42 balls, then the 7 result slots; then the draw notification; the real widgets follow.
constexpr int kDrawNotificationChild = kLabelCount;
// Lets assistive technology see Form1 with its painted items; safe to call more than once.
void installForm1Accessibility();

// Names the controls whose visible text does not say what they are for.
void nameForm1Controls(Form1& form);

// Tells assistive technology that Label1(label) now reads differently.
void announceLabelCaption(Form1& form, int label);

// Shows `message` as the draw notification, which screen readers speak wherever the focus is, or hides it
// when empty.
void showDrawNotification(Form1& form, const QString& message);

// Tells assistive technology that the ball or slot of Label1(item) came onto or left the board.
void announceItemOnBoard(Form1& form, int item, bool onBoard);

// What a screen reader says for Label1(label): "號碼 7" for a ball, "第一個號碼 7" or
// "特別號 未開出" for a result slot.
QString accessibleLabelName(const Form1& form, int label);

}  // namespace lotto::desktop
