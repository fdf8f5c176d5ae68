// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_cjk_label.cpp: the bare window with one label in a Traditional Chinese Ming face, to price the font alone.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "floor_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  floor_window::dressAsLotteryWindow(window);
  QLabel label(QStringLiteral("開獎"), &window);
  QFont font(QStringLiteral("AR PL UMing TW"));
  font.setPixelSize(24);
  font.setBold(true);
  label.setFont(font);
  label.move(18, 12);
  window.show();
  return app.exec();
}
