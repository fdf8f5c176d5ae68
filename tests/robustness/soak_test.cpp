// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// soak_test.cpp: a million ticks on the real window, each repainted, and the memory the program holds afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

#include "lotto_program.h"
#include "program_doubles.h"
#include "qt_warnings.h"
#include "window_watch.h"

namespace lotto::testing {

// The Qt front end's classes, tested here.
using namespace desktop;
namespace {

long residentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

class Soak {
 public:
  Soak() : random_(seed_), program_(random_, report_, end_) {
    program_.form().installEventFilter(&paintCounter_);
    program_.start();
  }

  bool shown() { return QTest::qWaitForWindowExposed(&program_.form()); }

  // Ticks as the timer delivers them, each followed by the repaint it asks for; every 50 ticks a
  // draw, then Next or, after the seventh, 清除, so the light also skips drawn balls.
  long long run(long long ticks) {
    Form1& form = program_.form();
    long long delivered = 0;
    while (delivered < ticks && !program_.ended()) {
      if (form.Timer1->isActive()) {
        QTimerEvent tick(form.Timer1->timerId());
        QCoreApplication::sendEvent(form.Timer1, &tick);
        ++delivered;
      }
      if (delivered % 50 == 0 || !form.Timer1->isActive()) {
        if (form.Command2->isEnabled()) QTest::mouseClick(form.Command2, Qt::LeftButton);
        QTest::mouseClick(form.Command1->isEnabled() ? form.Command1 : form.Command3, Qt::LeftButton);
      }
      QCoreApplication::sendPostedEvents();  // the repaint, and whatever else the event loop would run next
    }
    return delivered;
  }

  long long paints() const { return paintCounter_.paints; }
  const CapturingRunTimeErrorReport& report() const { return report_; }
  bool ended() const { return program_.ended(); }

 private:
  std::seed_seq seed_{20240607u, 1000000u};
  SeededRandomSource random_;
  CapturingRunTimeErrorReport report_;
  RecordingProgramEnd end_;
  LottoProgram program_;
  PaintCounter paintCounter_;
};

TEST(Soak, AMillionRepaintedTicksLeaveTheProgramsMemoryAsItWas) {
  const long long ticks = std::getenv("LOTTO_SOAK_TICKS") ? std::atoll(std::getenv("LOTTO_SOAK_TICKS")) : 1000000;
  QtWarnings::install();
  Soak soak;
  ASSERT_TRUE(soak.shown());
  soak.run(20000);  // fills the toolkit's glyph and pixmap caches before the first measurement
  const long before = residentBytes();
  const long long paintsBefore = soak.paints();
  const auto start = std::chrono::steady_clock::now();
  const long long delivered = soak.run(ticks);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long after = residentBytes();
  const long long paints = soak.paints() - paintsBefore;
  std::printf(
      "  %lld ticks, %lld paints in %.1f s (%.1f us a tick); resident %ld KiB before, %ld KiB after (%+ld KiB)\n",
      delivered, paints, seconds, seconds * 1e6 / static_cast<double>(delivered), before / 1024, after / 1024,
      (after - before) / 1024);
  const auto warning = QtWarnings::takeFirst();
  QtWarnings::uninstall();

  EXPECT_EQ(delivered, ticks);
  EXPECT_FALSE(soak.ended());
  EXPECT_TRUE(soak.report().errors.empty());
  EXPECT_FALSE(warning.has_value()) << *warning;
  // Nearly every tick moves the light from one disc to another, which takes a paint.
  EXPECT_GT(paints, delivered * 9 / 10);
  EXPECT_LT(after - before, 1024 * 1024) << "the program keeps memory it no longer needs";
}

}  // namespace
}  // namespace lotto::testing
