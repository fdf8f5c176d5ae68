// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_two_blits.cpp: the bare window where two 49-pixel discs swap orange and navy every 30 ms, each repaint
// copying a disc drawn once beforehand: the least a toolkit repaint of the rolling light can cost.
#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

const QColor kBackground(0, 192, 192);
const QColor kOrange(255, 128, 0);
const QColor kNavy(0, 0, 128);
const QColor kOutline(0, 0, 255);
constexpr int kDisc = 49;

class TwoBlits : public QWidget {
 public:
  TwoBlits() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(30);
    connect(&timer_, &QTimer::timeout, this, [this] {
      firstLit_ = !firstLit_;
      update(discs_[0]);
      update(discs_[1]);
    });
    timer_.start();
  }

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
    for (int disc = 0; disc < 2; ++disc) {
      if (event->region().intersects(discs_[disc])) {
        painter.drawImage(discs_[disc].topLeft(), (disc == 0) == firstLit_ ? navy_ : orange_);
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

  // Two balls of the lottery board, far enough apart that they are repainted as two separate areas.
  const QRect discs_[2] = {QRect(24, 80, kDisc, kDisc), QRect(410, 336, kDisc, kDisc)};
  bool firstLit_ = true;
  qreal ratio_ = 0;
  QImage orange_;
  QImage navy_;
  QTimer timer_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  TwoBlits window;
  window.setWindowTitle(QStringLiteral("樂透程式"));
  window.resize(593, 497);
  window.show();
  return app.exec();
}
