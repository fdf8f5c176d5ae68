# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# checks.sh: sourced by the shell tests (and by xvfb.sh): fail and check report and count failures, retry waits for
# a condition, checks_passed ends the test by them.
# shellcheck shell=bash

failures=0

# fail MESSAGE...: reports a failure and counts it; a scratch folder clean_up_on_exit would remove stays for a look.
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
  # shellcheck disable=SC2034  # read by xvfb.sh's clean_up
  keep_work=1
}

# check DESCRIPTION COMMAND...: runs the command, and reports ok or fails.
check() {
  local description=$1
  shift
  if "$@"; then echo "ok: $description"; else fail "$description"; fi
}

# retry TIMES PAUSE COMMAND...: runs the command until it succeeds, at most TIMES times, PAUSE seconds apart.
retry() {
  local times=$1 pause=$2 try
  shift 2
  for ((try = 1; ; try++)); do
    "$@" && return 0
    [ "$try" -lt "$times" ] || return 1
    sleep "$pause"
  done
}
