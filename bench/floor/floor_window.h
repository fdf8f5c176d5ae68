// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor_window.h: what the floor programs share: the lottery window's size, title and colour, and a rolling light.
#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QTimer>
#include <QWidget>

namespace floor_window {

const QColor kBackground(0, 192, 192);
const QColor kOrange(255, 128, 0);
const QColor kNavy(0, 0, 128);
const QColor kOutline(0, 0, 255);
constexpr int kDisc = 49;

// The lottery window's title, client size and background, and nothing else of it.
inline void dressAsLotteryWindow(QWidget& window) {
  window.setWindowTitle(QStringLiteral("樂透程式"));
  window.resize(593, 497);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, kBackground);
  window.setPalette(palette);
}

// Two balls of the lottery board whose light swaps every 30 ms, each swap repainting only them; how they are
// painted is up to the floor.
class RollingDiscs : public QWidget {
 public:
  RollingDiscs() {
    dressAsLotteryWindow(*this);
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
  const QRect& disc(int index) const { return discs_[index]; }
  bool isLit(int index) const { return (index == 0) == firstLit_; }

 private:
  // Far enough apart that they are repainted as two separate areas.
  const QRect discs_[2] = {QRect(24, 80, kDisc, kDisc), QRect(410, 336, kDisc, kDisc)};
  bool firstLit_ = true;
  QTimer timer_;
};

}  // namespace floor_window
