// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lotto_program.cpp: the window's events handed to the midend, and the midend's requests carried out on the window.
#include "lotto_program.h"

#include <QPushButton>
#include <QTimer>

#include "form1_accessibility.h"

namespace lotto::desktop {

LottoProgram::LottoProgram(RandomSource& random, RunTimeErrorReport& report, ProgramEnd& end)
    : board_(form_), report_(report), end_(end), midend_(board_, random, *this) {
  QObject::connect(form_.Timer1, &QTimer::timeout, [this] { midend_.tick(); });
  QObject::connect(form_.Command1, &QPushButton::clicked, [this] { press(design::Control::Command1); });
  QObject::connect(form_.Command2, &QPushButton::clicked, [this] { press(design::Control::Command2); });
  QObject::connect(form_.Command3, &QPushButton::clicked, [this] { press(design::Control::Command3); });
  QObject::connect(form_.Command4, &QPushButton::clicked, [this] { press(design::Control::Command4); });
  // Closing the window ends the program through the toolkit; no procedure runs on that path.
  QObject::connect(&form_, &Form1::closing, [this] { midend_.windowClosed(); });
}

// A button that greys itself keeps the focus until the midend moves it on.
void LottoProgram::press(design::Control control) {
  form_.holdFocus(true);
  midend_.click(control, form_.lastPress());
  form_.holdFocus(false);
}

// Not a Tab reason as the game goes on: on those the line selects all its text, and the next stray key would
// replace it.
void LottoProgram::focusControl(design::Control control, midend::FocusMove move) {
  form_.focusControl(control, move == midend::FocusMove::WindowOpened ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

void LottoProgram::announce(const std::u16string& text) {
  showDrawNotification(form_, QString::fromStdU16String(text));
}

void LottoProgram::showRunTimeError(const std::u16string& title, const std::string& line) {
  report_.show(QString::fromStdU16String(title), QString::fromStdString(line));
}

}  // namespace lotto::desktop
