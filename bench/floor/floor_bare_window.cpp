// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_bare_window.cpp: a bare window of the lottery window's size, title and colour, and nothing in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("樂透程式"));
  window.resize(593, 497);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(0, 192, 192));
  window.setPalette(palette);
  window.show();
  return app.exec();
}
