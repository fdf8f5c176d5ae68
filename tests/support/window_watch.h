// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// window_watch.h: what the window tests watch from outside the window: its repaints, and whether assistive
// technology is told what changes.
#pragma once

#include <QAccessible>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

namespace lotto::testing {

// Counts the paint events that reach the object it filters, and the region they cover: what really gets repainted,
// not what the code meant to.
class PaintCounter : public QObject {
 public:
  long long paints = 0;
  QRegion painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints;
      painted += static_cast<QPaintEvent*>(event)->region();
    }
    return false;
  }
};

// Whether the toolkit tells assistive technology what changes. It tells nothing until a bus asks for it;
// tests/desktop/with_accessibility_bus.sh provides one and sets LOTTO_ACCESSIBILITY_BUS, so wait for it there.
inline bool accessibilityBusListening() {
  QElapsedTimer waited;
  waited.start();
  while (qEnvironmentVariableIsSet("LOTTO_ACCESSIBILITY_BUS") && !QAccessible::isActive() && waited.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  return QAccessible::isActive();
}

}  // namespace lotto::testing
