// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// window_benchmark.cpp: the rolling light on the real window with the repaint it causes, and start-up to first paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <QTimer>

#include "draw_logic.h"
#include "form1.h"
#include "games_in_progress.h"
#include "lotto_program.h"
#include "program_end.h"
#include "qt_board_view.h"
#include "random_source.h"
#include "run_time_error_report.h"

namespace lotto {

// The Qt front end's classes, tested here.
using namespace desktop;
namespace {

// Counts the paint events a widget receives and the pixels they cover.
class PaintWatcher : public QObject {
 public:
  explicit PaintWatcher(QWidget& widget) { widget.installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints;
      for (const QRect& rect : static_cast<QPaintEvent*>(event)->region()) {
        pixels += static_cast<long long>(rect.width()) * rect.height();
      }
    }
    return QObject::eventFilter(watched, event);
  }

  long long paints = 0;
  long long pixels = 0;
};

// The filter sees a paint event before the widget handles it; once the events are processed it is done.
void processUntilPainted(const PaintWatcher& watcher, long long paintsBefore) {
  QElapsedTimer waited;
  waited.start();
  while (watcher.paints == paintsBefore && waited.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
}

// The discs and their numbers as the window holds them on screen against a drawing from scratch, with
// each ball lit in turn: the repaint may take shortcuts, but never to different pixels.
bool surfaceMatchesDrawing(Form1& form) {
  bool matches = true;
  for (int ball = 0; ball < kBallCount && matches; ++ball) {
    const Colour before = form.discColour(ball);
    form.setDiscColour(ball, kBallLit);
    QCoreApplication::sendPostedEvents(&form, QEvent::UpdateRequest);
    const QImage screen = form.screen()->grabWindow(form.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    // A target in another pixel format has every disc drawn, none copied.
    QImage drawn(form.size(), QImage::Format_RGB888);
    form.render(&drawn);
    drawn.convertTo(QImage::Format_RGB32);
    for (int disc = 0; disc < kLabelCount && matches; ++disc) {
      const QRect rect = form.discGeometry(disc);
      matches = screen.copy(rect) == drawn.copy(rect);
    }
    form.setDiscColour(ball, before);
  }
  QCoreApplication::sendPostedEvents(&form, QEvent::UpdateRequest);
  return matches;
}

// A tick as the user pays for it: the roll, then the repaint of what it changed, flushed to the window.
// Argument: how many balls are drawn first.
void BM_TickOnWindowWithRepaint(benchmark::State& state) {
  Form1 form;
  form.Timer1->stop();  // the benchmark drives the ticks
  QtBoardView board(form);
  std::seed_seq seed{20240601};
  SeededRandomSource random(seed);
  DrawLogic logic(board, random);
  logic.Form_Load();
  drawBallsBeforeTiming(logic, state.range(0));
  form.Timer1->stop();
  PaintWatcher watcher(form);
  form.show();
  processUntilPainted(watcher, 0);
  QCoreApplication::processEvents();

  const long long paintsBefore = watcher.paints;
  const long long pixelsBefore = watcher.pixels;
  for (auto _ : state) {
    logic.Timer1_Timer();
    QCoreApplication::sendPostedEvents(&form, QEvent::UpdateRequest);
  }
  const double ticks = static_cast<double>(state.iterations());
  state.counters["paints/tick"] = static_cast<double>(watcher.paints - paintsBefore) / ticks;
  state.counters["pixels/tick"] = static_cast<double>(watcher.pixels - pixelsBefore) / ticks;
  if (!surfaceMatchesDrawing(form)) {
    state.SkipWithError("the repainted discs differ from a drawing from scratch");
  }
}
BENCHMARK(BM_TickOnWindowWithRepaint)->Arg(0)->Arg(6)->Unit(benchmark::kMicrosecond);

// From constructing the program to the end of the window's first paint, as main() does it. The first
// iteration also pays for loading the fonts; the process-level figure is in scripts/bench.
void BM_StartupToFirstPaint(benchmark::State& state) {
  for (auto _ : state) {
    QElapsedTimer elapsed;
    elapsed.start();
    {
      SeededRandomSource random;
      DialogRunTimeErrorReport report;
      EventLoopProgramEnd end;
      LottoProgram program(random, report, end);
      PaintWatcher watcher(program.form());
      program.start();
      processUntilPainted(watcher, 0);
      state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) * 1e-9);
      if (watcher.paints == 0) {
        state.SkipWithError("the window was never painted");
        break;
      }
    }
    QCoreApplication::processEvents();  // let the closed window's deferred deletions run outside the timing
  }
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lotto
