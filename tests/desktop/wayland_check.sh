#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# wayland_check.sh: runs lotto on a headless weston of its own: it starts, names itself, shows the board, ends cleanly.
# Usage (inside with_accessibility_bus.sh, through which it presses Bye): wayland_check.sh LOTTO APP_ID
set -euo pipefail
lotto=$1 app_id=$2
# shellcheck source=scripts/lib/xvfb.sh
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
require_tools weston weston-screenshooter convert || exit 1

# The toolkit's Wayland plugin keeps its protocol objects until exit and is unloaded before LeakSanitizer looks,
# which reports them as leaks on stderr; the program's own memory is checked by the other tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

work=$(mktemp -d)
weston_pid="" lotto_pid=""
clean_up_on_exit "$work" lotto_pid weston_pid

# A compositor of its own: its own runtime directory and socket, drawing into memory with the CPU renderer,
# --debug for the screenshooter, and the protocol traffic in its log.
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket="lotto-wayland"
weston --backend=headless-backend.so --use-pixman --width=800 --height=600 --socket="$socket" --idle-time=0 \
  --debug --log="$work/weston.log" --logger-scopes=log,proto >"$work/weston.out" 2>&1 &
# shellcheck disable=SC2034  # stopped on exit through clean_up_on_exit
weston_pid=$!
retry 100 0.05 test -S "$XDG_RUNTIME_DIR/$socket" || { fail "weston did not start: $(cat "$work/weston.out")"; exit 1; }

# Only Wayland: no X server to fall back to.
unset DISPLAY
export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
"$lotto" >"$work/lotto.out" 2>"$work/lotto.err" &
lotto_pid=$!

# The shell matches the window to its desktop entry through the app id.
announced() { grep -o 'set_app_id("[^"]*")' "$work/weston.log" | head -n1 | grep .; }
retry 100 0.1 announced >/dev/null || true
echo "app id: $(announced)"
[ "$(announced)" = "set_app_id(\"$app_id\")" ] || fail "the window did not announce the app id $app_id"

sleep 1
kill -0 "$lotto_pid" 2>/dev/null || fail "lotto did not stay up"

# The board as the compositor shows it: the window's cyan ground and the orange balls.
(cd "$work" && weston-screenshooter >/dev/null 2>&1) || fail "weston-screenshooter failed"
shots=("$work"/wayland-screenshot-*.png)
if [ -f "${shots[0]}" ]; then
  histogram=$(convert "${shots[0]}" -format %c histogram:info:-)
  count() { awk -v colour="$1" '$0 ~ colour { sum += $1 } END { print sum + 0 }' <<<"$histogram"; }
  background=$(count '\(0,192,192\)')
  orange=$(count '\(255,128,0\)')
  echo "pixels: background RGB(0,192,192) $background, ball orange RGB(255,128,0) $orange"
  # The 593 x 497 window is mostly ground; 48 discs of 49 pixels are each about 1,700 orange pixels inside.
  [ "$background" -ge 100000 ] || fail "too little of the window's background on the screen"
  [ "$orange" -ge $((40 * 1500)) ] || fail "fewer than forty orange balls on the screen"
else
  fail "no screenshot"
fi

# Bye, pressed through the accessibility bus since the headless compositor has no input devices.
PYTHONPATH=$(dirname "$0") /usr/bin/python3 - <<'EOF' || fail "Bye could not be pressed"
from lotto_atspi import find_window
from gi.repository import Atspi
window = find_window()
children = [window.get_child_at_index(k) for k in range(window.get_child_count())] if window else []
byes = [c for c in children if c.get_name() == "Bye" and c.get_role() == Atspi.Role.PUSH_BUTTON]
raise SystemExit(0 if byes and Atspi.Action.do_action(byes[0], 0) else 1)
EOF
status=0
if ! wait_for_exit "$lotto_pid" 5; then
  fail "lotto still runs after Bye"
else
  wait "$lotto_pid" || status=$?
  lotto_pid=""
  [ "$status" -eq 0 ] || fail "lotto ended with status $status"
fi
if [ -s "$work/lotto.err" ]; then
  fail "lotto wrote on stderr:"
  cat "$work/lotto.err" >&2
fi
exit $((failures > 0))
