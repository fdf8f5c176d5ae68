// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tick_benchmark.cpp: one tick of the rolling light on a board with no window behind it, alone and through the midend.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "draw_logic.h"
#include "front_end.h"
#include "games_in_progress.h"
#include "midend.h"
#include "random_source.h"
#include "recording_board_view.h"

namespace lotto {
namespace {

// Argument: how many balls are drawn before the ticks are timed (0 = nothing to exclude, 6 = the most).
void BM_TickOnRecordingBoard(benchmark::State& state) {
  testing::RecordingBoardView board;
  std::seed_seq seed{20240601};
  SeededRandomSource random(seed);
  DrawLogic logic(board, random);
  logic.Form_Load();
  drawBallsBeforeTiming(logic, state.range(0));
  for (auto _ : state) {
    logic.Timer1_Timer();
    benchmark::DoNotOptimize(logic.state().candidateIndex);
  }
}
BENCHMARK(BM_TickOnRecordingBoard)->Arg(0)->Arg(6);

// The front end the window's or the page's would be, asking nothing of a screen: every control takes clicks.
class EveryControlEnabled : public midend::FrontEnd {
 public:
  bool controlEnabled(design::Control) const override { return true; }
  void showWindow() override {}
  void focusControl(design::Control, midend::FocusMove) override {}
  void announce(const std::u16string&) override {}
  void showRunTimeError(const std::u16string&, const std::string&) override {}
  void end(int) override {}
};

// The same tick as the front ends deliver it: through the midend, whose board passes every call on.
void BM_TickThroughMidend(benchmark::State& state) {
  testing::RecordingBoardView board;
  std::seed_seq seed{20240601};
  SeededRandomSource random(seed);
  EveryControlEnabled frontEnd;
  midend::Midend midend(board, random, frontEnd);
  midend.start();
  for (std::int64_t drawn = 0; drawn < state.range(0); ++drawn) {
    midend.tick();
    midend.click(design::Control::Command2, midend::PressedBy::Keyboard);
    midend.click(design::Control::Command1, midend::PressedBy::Keyboard);
  }
  for (auto _ : state) {
    midend.tick();
    benchmark::DoNotOptimize(midend.logic().state().candidateIndex);
  }
  if (midend.ended()) {
    state.SkipWithError("the midend ended the program");
  }
}
BENCHMARK(BM_TickThroughMidend)->Arg(0)->Arg(6);

}  // namespace
}  // namespace lotto
