// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_two_blits.cpp: the bare window where two 49-pixel discs swap orange and navy every 30 ms, each repaint
// copying a disc drawn once beforehand: the least a toolkit repaint of the rolling light can cost.
#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "floor_window.h"

namespace {

using namespace floor_window;

class TwoBlits : public RollingDiscs {
 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const qreal ratio = painter.device()->devicePixelRatio();
    if (ratio != ratio_) {
      ratio_ = ratio;
      orange_ = drawDisc(kOrange, ratio);
      navy_ = drawDisc(kNavy, ratio);
    }
    for (const QRect& rect : event->region()) {
      painter.fillRect(rect, kBackground);
    }
    for (int index = 0; index < 2; ++index) {
      if (event->region().intersects(disc(index))) {
        painter.drawImage(disc(index).topLeft(), isLit(index) ? navy_ : orange_);
      }
    }
  }

 private:
  // Opaque, on the window's background, in the backing store's format: a copy with nothing to blend.
  static QImage drawDisc(const QColor& fill, qreal ratio) {
    QImage image(QSize(kDisc, kDisc) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setPen(QPen(kOutline, 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRect(0, 0, kDisc - 1, kDisc - 1));
    return image;
  }

  qreal ratio_ = 0;
  QImage orange_;
  QImage navy_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  TwoBlits window;
  window.show();
  return app.exec();
}
