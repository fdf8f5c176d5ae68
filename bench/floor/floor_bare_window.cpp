// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_bare_window.cpp: a bare window of the lottery window's size, title and colour, and nothing in it.
#include <QApplication>
#include <QWidget>

#include "floor_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  floor_window::dressAsLotteryWindow(window);
  window.show();
  return app.exec();
}
