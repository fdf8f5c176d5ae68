// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_timer_only.cpp: the bare window with a 30 ms timer that wakes it 33 times a second and paints nothing.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "floor_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  floor_window::dressAsLotteryWindow(window);
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(30);
  int ticks = 0;
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start();
  window.show();
  return app.exec();
}
