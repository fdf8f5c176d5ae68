#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# lotto_x11_test.sh: the real lotto on its own Xvfb: title, size and colours on screen, a draw, Next, Bye and closing.
# usage: lotto_x11_test.sh LOTTO SEND_WINDOW_CLOSE
set -euo pipefail
lotto=$1
send_window_close=$2
# shellcheck source=scripts/lib/xvfb.sh
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
require_tools Xvfb xdpyinfo xdotool xprop xwininfo import convert compare || exit 1
work=$(mktemp -d)
lotto_pid=""
cleanup() {
  if [ -n "$lotto_pid" ]; then kill "$lotto_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
check() {  # check DESCRIPTION COMMAND...: runs the command, counts and reports a failure
  local description=$1
  shift
  if "$@"; then echo "ok: $description"; else echo "FAIL: $description" >&2; failures=$((failures + 1)); fi
}
fatal() {
  echo "FAIL: $*" >&2
  if [ -f "$work/lotto.log" ]; then sed 's/^/lotto: /' "$work/lotto.log" >&2; fi
  sed 's/^/Xvfb: /' "$work/xvfb.log" >&2
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then echo "Xvfb has exited" >&2; fi
  exit 1
}

# Design positions are in twips, 15 to a pixel.
px() { echo $(((2 * $1 + 15) / 30)); }
button_x=$(($(px 7200) + $(px 1455) / 2))
draw_y=$(($(px 1200) + $(px 615) / 2))
next_y=$(($(px 2160) + $(px 615) / 2))
bye_y=$(($(px 4080) + $(px 615) / 2))
ball_grid="$(px 7080)x$(px 6000)+0+0"                     # every ball, above the frame
slot0_label="30x30+$(px 540)+$(px 6427)"                  # room for a two-digit number
slot6_label="30x30+$(px 6330)+$(px 6427)"
text1="$(px 1455)x$(px 375)+$(px 7200)+$(px 5040)"

start_xvfb "$work/xvfb.log" || exit 1

window=""
start_lotto() {
  "$lotto" >"$work/lotto.log" 2>&1 &
  lotto_pid=$!
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --class lotto 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fatal "no lotto window appeared"
}

# Waits up to 5 s for lotto to end; leaves its exit status in $status.
status=""
await_exit() {
  for _ in $(seq 50); do
    kill -0 "$lotto_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$lotto_pid" 2>/dev/null; then
    status="still running"
    return
  fi
  status=0
  wait "$lotto_pid" || status=$?
  lotto_pid=""
}

shot() { import -window "$window" "$work/$1.png"; }
pixel() {  # pixel SHOT X Y -> "r,g,b"
  convert "$work/$1.png" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}
count_colour() {  # count_colour SHOT "r,g,b" [GEOMETRY] -> how many pixels of exactly that colour
  local crop=()
  [ $# -ge 3 ] && crop=(-crop "$3" +repage)
  convert "$work/$1.png" "${crop[@]}" -alpha off -fill black +opaque "rgb($2)" -fill white -opaque "rgb($2)" \
    -format "%[fx:round(mean*w*h)]" info:
}
differs() {  # differs SHOT_A SHOT_B GEOMETRY: some pixel in that area changed
  local changed
  changed=$(compare -metric AE <(convert "$work/$1.png" -crop "$3" +repage png:-) \
    <(convert "$work/$2.png" -crop "$3" +repage png:-) null: 2>&1 || true)
  [ "${changed%% *}" != "0" ]
}
# One ball lit: between two thirds of a disc's area (49 px across) and a little more than a whole disc.
one_ball_lit() { local n; n=$(count_colour "$1" "0,0,128" "$ball_grid"); [ "$n" -gt 1200 ] && [ "$n" -lt 2000 ]; }
wait_until() {  # wait_until SHOT PREDICATE...: screenshots until the predicate holds, for up to 5 s
  local name=$1
  shift
  for _ in $(seq 25); do
    shot "$name"
    "$@" "$name" && return 0
    sleep 0.2
  done
  return 1
}
no_ball_lit() { [ "$(count_colour "$1" "0,0,128" "$ball_grid")" = 0 ]; }
equals() { [ "$1" = "$2" ] || { echo "  got '$1', expected '$2'" >&2; return 1; }; }
click() { xdotool mousemove --window "$window" "$1" "$2" sleep 0.1 click 1; }

start_lotto
check "window title" equals "$(xprop -id "$window" _NET_WM_NAME | sed 's/^[^"]*"\(.*\)"$/\1/')" "樂透程式"
geometry=$(xwininfo -id "$window")
check "client width 593" equals "$(awk '/Width:/ {print $2}' <<<"$geometry")" 593
check "client height 497" equals "$(awk '/Height:/ {print $2}' <<<"$geometry")" 497

check "one ball lit by the roll" wait_until start one_ball_lit
check "background" equals "$(pixel start 4 4)" "0,192,192"
check "slot 7's disc is orange" equals "$(pixel start $(($(px 6150) + 8)) $(($(px 6240) + 24)))" "255,128,0"
check "frame line is green" equals "$(pixel start 200 "$(px 6120)")" "0,128,0"
check "特 is dark red" test "$(count_colour start "192,0,0" "$slot6_label")" -gt 15
balls_before=$(count_colour start "0,192,192" "$ball_grid")

click "$button_x" "$draw_y"
check "開獎 takes the lit ball off the board" wait_until drawn no_ball_lit
check "a disc's area turned to background" test "$(($(count_colour drawn "0,192,192" "$ball_grid") - balls_before))" -gt 1500
check "the first slot shows the number" differs start drawn "$slot0_label"
check "the instruction line changed" differs start drawn "$text1"

click "$button_x" "$next_y"
check "Next restarts the roll" wait_until next one_ball_lit
check "the instruction line changed again" differs drawn next "$text1"

click "$button_x" "$bye_y"
await_exit
check "Bye ends the program with status 0" equals "$status" 0

start_lotto
click "$button_x" "$draw_y"
wait_until drawn no_ball_lit || true
check "the close request reaches the window" "$send_window_close" "$window"
await_exit
check "closing the window in mid-game ends the program with status 0" equals "$status" 0

if [ "$failures" -ne 0 ]; then
  sed 's/^/lotto: /' "$work/lotto.log" >&2
  exit 1
fi
echo "all checks passed"
