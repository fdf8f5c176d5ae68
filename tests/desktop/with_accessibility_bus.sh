#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# with_accessibility_bus.sh: runs a command on its own Xvfb and D-Bus session, with the AT-SPI bus up and
# switched on the way a screen reader leaves it, so Qt exposes and announces what the window holds.
# Usage: with_accessibility_bus.sh COMMAND [ARGS...]
set -euo pipefail
if [ -z "${LOTTO_ACCESSIBILITY_BUS:-}" ]; then
  export LOTTO_ACCESSIBILITY_BUS=1
  exec dbus-run-session -- "$0" "$@"
fi

# shellcheck source=scripts/lib/xvfb.sh
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
work=$(mktemp -d)
bus_pid=""
clean_up_on_exit "$work" bus_pid

start_xvfb "$work/xvfb.log" 1280x1024x24 || exit 1
export QT_QPA_PLATFORM=xcb

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
# shellcheck disable=SC2034  # stopped on exit through clean_up_on_exit
bus_pid=$!
# shellcheck disable=SC2317  # run through retry
has_bus() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}
retry 100 0.05 has_bus || { echo "the AT-SPI bus did not start: $(cat "$work/bus.log")" >&2; exit 1; }
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
  string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null

status=0
"$@" || status=$?
exit "$status"
