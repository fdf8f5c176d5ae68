// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_timer_only.cpp: the bare window with a 30 ms timer that wakes it 33 times a second and paints nothing.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("樂透程式"));
  window.resize(593, 497);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(0, 192, 192));
  window.setPalette(palette);
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(30);
  int ticks = 0;
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start();
  window.show();
  return app.exec();
}
