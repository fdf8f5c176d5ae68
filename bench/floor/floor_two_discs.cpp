// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_two_discs.cpp: the bare window where two 49-pixel discs swap orange and navy every 30 ms, repainting only them.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

#include "floor_window.h"

namespace {

using namespace floor_window;

// Draws both circles afresh at every repaint.
class TwoDiscs : public RollingDiscs {
 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(event->rect(), kBackground);
    painter.setPen(QPen(kOutline, 1));
    for (int index = 0; index < 2; ++index) {
      painter.setBrush(isLit(index) ? kNavy : kOrange);
      painter.drawEllipse(disc(index).adjusted(0, 0, -1, -1));
    }
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  TwoDiscs window;
  window.show();
  return app.exec();
}
