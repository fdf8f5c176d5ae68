# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# xvfb.sh: sourced by scripts and tests that need an X server of their own: start_xvfb starts one and exports DISPLAY;
# require_tools, wait_for_exit and clean_up_on_exit serve the programs they start there; checks.sh comes with it.
# shellcheck shell=bash
# shellcheck source=scripts/lib/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
# Xvfb -displayfd is not safe when several servers start at once: a server probing a display number that another
# has just taken unlinks that server's socket on its way to the next number. A fixed number from a high range,
# claimed through the server's lock file, leaves no such window; a number already in use is simply skipped.
# The display is ours once the lock file names our server: until then a client may reach the other one.
# -noreset: without it the server resets when its last client leaves (the readiness probe, or a lotto that
# ended), and a client connecting during the reset is turned away.
# Scripts in other languages start their server through this file too (tests/web/engines/webkit.mjs).

xvfb_pid=""

# clean_up_on_exit WORK VAR...: on exit, stops the processes whose ids the named variables hold by then, and the X
# server last, then removes the scratch folder WORK, unless keep_work is set by then, to leave it for a look.
clean_up_on_exit() {
  cleanup_work=$1
  shift
  cleanup_pid_names=("$@" xvfb_pid)
  trap clean_up EXIT
}
# shellcheck disable=SC2317  # run by the trap
clean_up() {
  local name
  for name in "${cleanup_pid_names[@]}"; do
    if [ -n "${!name:-}" ]; then kill "${!name}" 2>/dev/null || true; fi
  done
  wait 2>/dev/null || true
  if [ -n "${keep_work:-}" ]; then echo "kept for a look: $cleanup_work" >&2; else rm -rf "$cleanup_work"; fi
}

# require_tools TOOL...: fails with one line naming the first tool that is not installed.
require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps test installs it)" >&2; return 1; }
  done
}

# wait_for_exit PID SECONDS: returns as soon as PID has ended, or fails if it still runs after SECONDS.
wait_for_exit() { retry $(($2 * 10)) 0.1 ended "$1"; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# start_xvfb LOG_FILE [GEOMETRY]: starts Xvfb on a free display with a screen of GEOMETRY (800x600x24 unless
# given) and waits until it accepts clients. xvfb_pid is the server itself, for the caller to kill on exit.
start_xvfb() {
  local log=$1 geometry=${2:-800x600x24} display
  # Without xdpyinfo every attempt would wait out its full timeout before failing.
  require_tools Xvfb xdpyinfo || return 1
  for _ in $(seq 20); do
    display=$((200 + RANDOM % 700))
    Xvfb ":$display" -screen 0 "$geometry" -nolisten tcp -noreset 2>"$log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if [ "$(tr -d ' ' 2>/dev/null <"/tmp/.X$display-lock")" = "$xvfb_pid" ] &&
        xdpyinfo -display ":$display" >/dev/null 2>&1; then
        export DISPLAY=":$display"
        unset QT_QPA_PLATFORM WAYLAND_DISPLAY
        return 0
      fi
      sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "no X server could be started: $(cat "$log")" >&2
  return 1
}
