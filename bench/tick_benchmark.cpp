// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tick_benchmark.cpp: one tick of the rolling light on a board with no window behind it.
#include <benchmark/benchmark.h>

#include "draw_logic.h"
#include "games_in_progress.h"
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

}  // namespace
}  // namespace lotto
