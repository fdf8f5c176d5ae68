// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// qt_board_view.cpp: board operations as property changes on the window's controls.
#include "qt_board_view.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "form1.h"

namespace lotto::desktop {

std::u16string QtBoardView::labelText(SmallInt label) const { return form_.labelCaption(label).toStdU16String(); }

void QtBoardView::setLabelText(SmallInt label, const std::u16string& text) {
  form_.setLabelCaption(label, QString::fromStdU16String(text));
}

void QtBoardView::setLabelVisible(SmallInt label, bool visible) { form_.setLabelVisible(label, visible); }

void QtBoardView::setDiscColour(SmallInt disc, Colour colour) { form_.setDiscColour(disc, colour); }

void QtBoardView::setDiscVisible(SmallInt disc, bool visible) { form_.setDiscVisible(disc, visible); }

void QtBoardView::setButtonEnabled(Button button, bool enabled) {
  form_.widgetOf(design::controlOf(button))->setEnabled(enabled);
}

void QtBoardView::setInstructionText(const std::u16string& text) {
  form_.Text1->setText(QString::fromStdU16String(text));
}

// Restarting a running QTimer would reset its beat, which the design's timer never does.
void QtBoardView::setTimerInterval(int milliseconds) {
  if (form_.Timer1->interval() != milliseconds) {
    form_.Timer1->setInterval(milliseconds);
  }
}

void QtBoardView::setTimerEnabled(bool enabled) {
  if (enabled && !form_.Timer1->isActive()) {
    form_.Timer1->start();
  } else if (!enabled) {
    form_.Timer1->stop();
  }
}

void QtBoardView::endProgram() { form_.Timer1->stop(); }

}  // namespace lotto::desktop
