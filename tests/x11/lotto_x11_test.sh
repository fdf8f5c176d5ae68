#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# lotto_x11_test.sh: the real lotto on its own Xvfb: title, size and colours on screen, a draw, Next, Bye and closing,
# keys pressed in a row, and a clean start or a sentence saying what failed in odd environments.
# usage: lotto_x11_test.sh LOTTO SEND_WINDOW_CLOSE QT_XCB_PLUGIN
set -euo pipefail
lotto=$1
send_window_close=$2
xcb_plugin=$3
# shellcheck source=scripts/lib/xvfb.sh
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
# shellcheck source=tests/support/expected.sh
source "$(dirname "$0")/../support/expected.sh"
require_tools Xvfb xdpyinfo xdotool xprop xwininfo import convert compare || exit 1
work=$(mktemp -d)
lotto_pid=""
clean_up_on_exit "$work" lotto_pid

fatal() {
  echo "FAIL: $*" >&2
  if [ -f "$work/lotto.log" ]; then sed 's/^/lotto: /' "$work/lotto.log" >&2; fi
  sed 's/^/Xvfb: /' "$work/xvfb.log" >&2
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then echo "Xvfb has exited" >&2; fi
  exit 1
}

# The design's title, colours and pixel positions, as tests/support/expected.json writes them.
{
  read -r title
  read -r _ _ form_width form_height
  read -r red green blue && background=$red,$green,$blue
  read -r red green blue && ball=$red,$green,$blue
  read -r red green blue && light=$red,$green,$blue
  read -r red green blue && frame=$red,$green,$blue
  read -r red green blue && special=$red,$green,$blue
  read -r draw_left draw_top button_width button_height
  read -r _ next_top _ _
  read -r _ bye_top _ _
  read -r text1_left text1_top text1_width text1_height
  read -r disc_size
  read -r slot_top
  read -ra disc_left_row0
  read -ra disc_left
  read -ra disc_top
  read -ra slot_left
  read -ra slot_label_left
  read -ra slot_label_top
  read -ra line1 # the frame's top: x1 y x2 y
  read -r line_width
} < <(expected title boxes.Form1.pixels colours.background.rgb colours.ball.rgb colours.light.rgb colours.frame.rgb \
  colours.special.rgb boxes.Command2.pixels boxes.Command1.pixels boxes.Command4.pixels boxes.Text1.pixels \
  discs.size.pixels discs.slotTop.pixels discs.leftRow0.pixels discs.left.pixels discs.top.pixels \
  discs.slotLeft.pixels labels.slotLeft.pixels labels.slotTop.pixels lines.Line1.pixels lines.width)
# Button middles: 開獎, Next and Bye share their Left and Width.
button_x=$((draw_left + button_width / 2))
draw_y=$((draw_top + button_height / 2))
next_y=$((next_top + button_height / 2))
bye_y=$((bye_top + button_height / 2))
text1="${text1_width}x${text1_height}+${text1_left}+${text1_top}"
disc_area=$((disc_size * disc_size))
ball_grid="${line1[2]}x$((line1[1] - line_width))+0+0"  # every ball, above the frame
# Slot labels, with room for a two-digit number.
slot0_label="30x30+${slot_label_left[0]}+${slot_label_top[0]}"
slot6_label="30x30+${slot_label_left[6]}+${slot_label_top[6]}"

start_xvfb "$work/xvfb.log" || exit 1

window=""
start_lotto() {
  "$lotto" >"$work/lotto.log" 2>&1 &
  lotto_pid=$!
  find_window
}
find_window() { retry 100 0.1 window_shown || fatal "no lotto window appeared"; }
window_shown() { window=$(xdotool search --onlyvisible --class lotto 2>/dev/null | head -n1 || true); [ -n "$window" ]; }

# Waits up to 5 s for lotto to end; leaves its exit status in $status.
status=""
await_exit() {
  status="still running"
  wait_for_exit "$lotto_pid" 5 || return 0
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
# One ball lit: between half the square around a disc and a little more than the disc (pi / 4 of the square).
one_ball_lit() {
  local n
  n=$(count_colour "$1" "$light" "$ball_grid")
  [ "$n" -gt $((disc_area / 2)) ] && [ "$n" -lt $((disc_area * 5 / 6)) ]
}
wait_until() { retry 25 0.2 shot_shows "$@"; }  # wait_until SHOT PREDICATE...: screenshots until it holds, up to 5 s
shot_shows() { shot "$1" && "${@:2}" "$1"; }
no_ball_lit() { [ "$(count_colour "$1" "$light" "$ball_grid")" = 0 ]; }
equals() { [ "$1" = "$2" ] || { echo "  got '$1', expected '$2'" >&2; return 1; }; }
click() { xdotool mousemove --window "$window" "$1" "$2" sleep 0.1 click 1; }
# How many of the 42 ball discs, with a 2-pixel margin, are background and nothing else on screen.
cleared_discs() {
  local row column left n=0 around=$((disc_size + 4))
  for row in "${!disc_top[@]}"; do
    for column in "${!disc_left[@]}"; do
      if [ "$row" = 0 ]; then left=${disc_left_row0[$column]}; else left=${disc_left[$column]}; fi
      [ "$(count_colour "$1" "$background" "${around}x${around}+$((left - 2))+$((disc_top[row] - 2))")" = \
        $((around * around)) ] && n=$((n + 1))
    done
  done
  echo "$n"
}
# run_failing NAME COMMAND...: a start of lotto that must fail; leaves its output in $work/NAME.out
run_failing() {
  status=0
  "${@:2}" >"$work/$1.out" 2>&1 || status=$?  # an abort would be 134
}
got() { sed 's/^/  got: /' "$work/$1.out" >&2; return 1; }  # got NAME: shows that start's output, and fails
# The first line, in Traditional Chinese, says the window cannot open and contains each of the given texts.
first_line_says() {
  local first text
  first=$(head -n1 "$work/$1.out")
  for text in "樂透程式無法開啟視窗" "${@:2}"; do
    grep -qF -- "$text" <<<"$first" || got "$1" || return
  done
}
# One line and nothing else, in Traditional Chinese, containing each of the given texts.
one_sentence_naming() {
  [ "$(wc -l <"$work/$1.out")" = 1 ] || got "$1" || return
  first_line_says "$@"
}
lacks() { ! grep -qF -- "$2" "$work/$1.out" || got "$1"; }

start_lotto
check "window title" equals "$(xprop -id "$window" _NET_WM_NAME | sed 's/^[^"]*"\(.*\)"$/\1/')" "$title"
geometry=$(xwininfo -id "$window")
check "client width" equals "$(awk '/Width:/ {print $2}' <<<"$geometry")" "$form_width"
check "client height" equals "$(awk '/Height:/ {print $2}' <<<"$geometry")" "$form_height"

check "one ball lit by the roll" wait_until start one_ball_lit
check "background" equals "$(pixel start 4 4)" "$background"
check "slot 7's disc is orange" equals "$(pixel start $((slot_left[6] + 8)) $((slot_top + disc_size / 2)))" "$ball"
check "frame line is green" equals "$(pixel start $(((line1[0] + line1[2]) / 2)) "${line1[1]}")" "$frame"
check "特 is dark red" test "$(count_colour start "$special" "$slot6_label")" -gt 15
balls_before=$(count_colour start "$background" "$ball_grid")

click "$button_x" "$draw_y"
check "開獎 takes the lit ball off the board" wait_until drawn no_ball_lit
check "a disc's area turned to background" \
  test "$(($(count_colour drawn "$background" "$ball_grid") - balls_before))" -gt $((disc_area * 5 / 8))
check "on screen the drawn ball leaves no stale pixel" equals "$(cleared_discs drawn)" 1
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

# Keys in a row on 開獎, through the X server's keyboard: Space draws, Next, draws; never 清除 or Bye.
start_lotto
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --delay 50 space space space
sleep 0.5
running() { kill -0 "$lotto_pid" 2>/dev/null; }
check "Space three times on 開獎 does not quit" running
if running; then  # a screenshot of a window that is gone would hang
  check "  it drew, pressed Next, drew again and stopped" wait_until keys no_ball_lit
  check "  and cleared nothing: two discs are gone" equals "$(cleared_discs keys)" 2
  click "$button_x" "$bye_y"
fi
await_exit

# Descriptors closed and no runtime folder: the X connection must not end up on descriptor 2.
env -u XDG_RUNTIME_DIR "$lotto" >"$work/lotto.log" 2>&- &
lotto_pid=$!
find_window
click "$button_x" "$bye_y"
await_exit
check "with stderr closed and no XDG_RUNTIME_DIR the window opens, and Bye ends it" equals "$status" 0

# Every way the start can fail is told for what it is: one Traditional Chinese sentence first, status 1, no abort.
run_failing x11 env DISPLAY=:1999 "$lotto"
check "no X server at :1999: status 1, no abort" equals "$status" 1
check "  one Traditional Chinese sentence naming :1999" one_sentence_naming x11 ":1999"
run_failing wayland env -u DISPLAY WAYLAND_DISPLAY=lotto-no-compositor XDG_RUNTIME_DIR="$work" "$lotto"
check "no Wayland compositor: status 1, no abort" equals "$status" 1
check "  one Traditional Chinese sentence naming lotto-no-compositor" one_sentence_naming wayland lotto-no-compositor

# A platform that does not exist, while the X server answers: named as such, with the platforms there are.
run_failing no_platform_argument "$lotto" -platform nosuch
check "-platform nosuch on a working display: status 1, no abort" equals "$status" 1
check "  one sentence: no platform named nosuch, xcb among those there are" \
  one_sentence_naming no_platform_argument "沒有名為 nosuch 的顯示平台" "可用的顯示平台有" "xcb"
run_failing no_platform_variable env QT_QPA_PLATFORM=nosuch "$lotto"
check "QT_QPA_PLATFORM=nosuch: status 1, no abort" equals "$status" 1
check "  the same sentence, the display not blamed" one_sentence_naming no_platform_variable "沒有名為 nosuch 的顯示平台" "xcb"

# The X11 plugin installed but unable to load: a copy of the toolkit's own whose first library is one that no system
# has, found first through QT_PLUGIN_PATH.
mkdir -p "$work/plugins/platforms"
perl -0777 -pe 's/libQt6XcbQpa\.so\.6/libLottoGone.so.6/' <"$xcb_plugin" >"$work/plugins/platforms/libqxcb.so"
cmp -s "$xcb_plugin" "$work/plugins/platforms/libqxcb.so" && fatal "the copy of $xcb_plugin needs no libQt6XcbQpa.so.6"
run_failing broken_plugin env QT_PLUGIN_PATH="$work/plugins" "$lotto"
check "an X11 plugin that cannot load: status 1, no abort" equals "$status" 1
check "  the sentence names the plugin that does not load" first_line_says broken_plugin "xcb 的外掛程式" "無法載入"
check "  and does not blame the display" lacks broken_plugin "連不上"
check "  the toolkit's lines follow, with the library that is missing" \
  grep -qF "libLottoGone.so.6" <(tail -n +2 "$work/broken_plugin.out")

if [ "$failures" -ne 0 ]; then
  sed 's/^/lotto: /' "$work/lotto.log" >&2
  exit 1
fi
echo "all checks passed"
