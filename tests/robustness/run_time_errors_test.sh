#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# run_time_errors_test.sh: forces each kind of run-time error inside the real, unmodified lotto under gdb on its own
# Xvfb, and checks the zh-TW report (dialog and stderr line) and a non-zero exit status.
# usage: run_time_errors_test.sh LOTTO
set -uo pipefail
lotto=$1
# shellcheck source=scripts/lib/xvfb.sh
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
require_tools Xvfb xdpyinfo xdotool gdb || exit 1
work=$(mktemp -d)
gdb_pid=""
clean_up_on_exit "$work" gdb_pid

start_xvfb "$work/xvfb.log" || { echo "FAIL: no X server" >&2; exit 1; }
# LeakSanitizer stops the world with ptrace, which gdb already holds; leaks are checked in the other tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# The centre of 開獎: Left 7200, Top 1200, 1455 x 615 twips, 15 twips to a pixel.
draw_x=$(((7200 + 1455 / 2) / 15))
draw_y=$(((1200 + 615 / 2) / 15))

windows_titled() { xdotool search --onlyvisible --name '^樂透程式$' 2>/dev/null || true; }
titled_windows_at_least() { [ "$(windows_titled | wc -l)" -ge "$1" ]; }
wait_for_windows() { retry 300 0.1 titled_windows_at_least "$1"; }  # wait_for_windows N: for up to 30 s

# run_case NAME BREAKPOINT FAULT CLICK EXPECTED: stops the real program at BREAKPOINT, lets gdb do FAULT there
# (a state the buttons never allow), clicks 開獎 if CLICK is yes, and expects the report of error EXPECTED.
run_case() {
  case_name=$1
  local breakpoint=$2 fault=$3 click=$4 expected=$5 failures_before=$failures
  # shellcheck disable=SC2016  # $_exitcode is gdb's own, not the shell's
  gdb -q -nx -batch -ex 'set confirm off' -ex "break $breakpoint" -ex run -ex "$fault" -ex continue \
    -ex 'quit $_exitcode' --args "$lotto" >"$work/out" 2>&1 &
  gdb_pid=$!
  if ! wait_for_windows 1; then
    fail "$case_name: no window appeared"
    kill "$gdb_pid" 2>/dev/null
    wait "$gdb_pid" 2>/dev/null
    gdb_pid=""
    return
  fi
  local window
  window=$(windows_titled | head -n1)
  [ "$click" = yes ] && xdotool mousemove --window "$window" "$draw_x" "$draw_y" click 1
  if ! wait_for_windows 2; then
    fail "$case_name: no error dialog titled 樂透程式 appeared"
  else
    local dialog
    dialog=$(windows_titled | grep -vx "$window" | head -n1)
    sleep 0.3  # the line on stderr is written just before the dialog shows
    grep -q "樂透程式: 執行階段錯誤 $expected：" "$work/out" || fail "$case_name: no zh-TW report of error $expected on stderr"
    xdotool windowfocus --sync "$dialog" key Return
  fi
  local status=0
  if ! wait_for_exit "$gdb_pid" 30; then
    fail "$case_name: the program did not end after the report"
    kill "$gdb_pid" 2>/dev/null
  fi
  wait "$gdb_pid" || status=$?
  gdb_pid=""
  grep -q "received signal" "$work/out" && fail "$case_name: the program crashed instead of reporting"
  [ "$status" -eq 0 ] && fail "$case_name: the program ended with status 0"
  if [ "$failures" -eq "$failures_before" ]; then
    echo "ok: $case_name: report of error $expected, dialog dismissed, exit status $status"
  else
    sed 's/^/  gdb+lotto: /' "$work/out" >&2
  fi
}

click_draw=lotto::DrawLogic::Command2_Click
# A forced ball index must also count as rolled since the board last changed, or a click that beats the first
# tick would roll a fresh one over it.
forced_ball="set var this->state_.candidateRolled = 1, this->state_.candidateIndex"
run_case "16-bit overflow of the slot index" "$click_draw" "set var this->state_.drawnCount = 32767" yes 6
run_case "ball index past the last ball" "$click_draw" "$forced_ball = 100" yes 340
run_case "negative ball index" "$click_draw" "$forced_ball = -1" yes 340
run_case "writing an eighth result slot" "$click_draw" "set var this->state_.drawnCount = 7" yes 340
run_case "random value of 1, outside 0 <= r < 1" lotto::SeededRandomSource::next "return (float)1.0" no 5

[ "$failures" -eq 0 ] || exit 1
echo "all run-time error paths end with the report and a non-zero status"
