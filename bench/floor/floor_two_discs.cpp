// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_two_discs.cpp: the bare window where two 49-pixel discs swap orange and navy every 30 ms, repainting only them.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

const QColor kBackground(0, 192, 192);
const QColor kOrange(255, 128, 0);
const QColor kNavy(0, 0, 128);
const QColor kOutline(0, 0, 255);

class TwoDiscs : public QWidget {
 public:
  TwoDiscs() {
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
    painter.fillRect(event->rect(), kBackground);
    painter.setPen(QPen(kOutline, 1));
    for (int disc = 0; disc < 2; ++disc) {
      painter.setBrush((disc == 0) == firstLit_ ? kNavy : kOrange);
      painter.drawEllipse(discs_[disc].adjusted(0, 0, -1, -1));
    }
  }

 private:
  // Two balls of the lottery board, far enough apart that they are repainted as two separate areas.
  const QRect discs_[2] = {QRect(24, 80, 49, 49), QRect(410, 336, 49, 49)};
  bool firstLit_ = true;
  QTimer timer_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  TwoDiscs window;
  window.setWindowTitle(QStringLiteral("樂透程式"));
  window.resize(593, 497);
  window.show();
  return app.exec();
}
