#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# screen_reader_check.py: reads the running lotto window over AT-SPI, as Orca would, plays a game and listens.
# Usage (inside with_accessibility_bus.sh): screen_reader_check.py LOTTO
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
from lotto_atspi import BALL_NAME, EXPECTED, EMPTY_SLOT, INSTRUCTION_LINE, SLOT_NAMES, check, failures, find_window  # noqa: E402,E501


def pump(seconds, until=lambda: False):
    """Hands on the bus's events for `seconds`, or until `until()` holds once they are in."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end and not until():
        context.iteration(False)
        time.sleep(0.01)


lotto = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    window = None
    for _ in range(100):
        window = find_window()
        if window:
            break
        pump(0.1)
    check(window is not None, "the window 樂透程式 is on the accessibility bus")
    if window is None:
        sys.exit(1)

    children = [window.get_child_at_index(i) for i in range(window.get_child_count())]
    by_name = {c.get_name(): c for c in children}
    check(all(f"{BALL_NAME} {n}" in by_name for n in range(1, 43)), "balls 號碼 1 … 號碼 42")
    check(f"{SLOT_NAMES[0]} {EMPTY_SLOT}" in by_name and f"{SLOT_NAMES[6]} {EMPTY_SLOT}" in by_name,
          "empty slots, the last one 特別號")
    check(by_name.get(INSTRUCTION_LINE) is not None and by_name[INSTRUCTION_LINE].get_role() == Atspi.Role.TEXT,
          "the instruction line 操作提示 is a text")
    draw = by_name.get("開獎")
    check(draw is not None and draw.get_role() == Atspi.Role.PUSH_BUTTON, "開獎 is a push button")

    heard = []

    def hear(event):
        source = event.source
        heard.append((event.type, source.get_name(), event.detail1, source.get_role()))

    listener = Atspi.EventListener.new(hear)
    for event_type in ("object:property-change:accessible-name", "object:state-changed:showing",
                       "object:state-changed:visible"):
        listener.register(event_type)
    pump(0.3)
    heard.clear()
    pump(0.3)
    check(heard == [], f"the rolling light says nothing: {heard}")

    # A busy machine passes the events on late: what a press must tell is waited for, then what follows it.
    def press(button, tells=None):
        heard.clear()
        Atspi.Action.do_action(button, 0)
        if tells:
            pump(10, tells)
        pump(0.5)

    def notifications():
        return [name for kind, name, shown, role in heard
                if kind == "object:state-changed:showing" and shown and role == Atspi.Role.NOTIFICATION]

    def balls_showing(shown):
        return sorted(int(name.split()[-1]) for kind, name, detail, role in heard
                      if kind == "object:state-changed:showing" and detail == shown and name.startswith(f"{BALL_NAME} "))

    drawn = []
    for k, slot in enumerate(SLOT_NAMES):
        if k > 0:
            press(by_name["Next"])
        press(draw, lambda: notifications() and balls_showing(0))
        slot_names = [name for kind, name, _, role in heard
                      if kind.endswith("accessible-name") and role == Atspi.Role.LABEL and name.startswith(slot)]
        check(len(slot_names) == 1 and not slot_names[0].endswith(EMPTY_SLOT),
              f"draw {k + 1} renamed its slot once: {slot_names}")
        if not slot_names:
            continue
        number = int(slot_names[0].split()[-1])
        drawn.append(number)
        check(notifications() == [f"{slot} {number}"], f"draw {k + 1} shows the notification {slot} {number}: {heard}")
        check(balls_showing(0) == [number], f"ball {number} stops showing: {balls_showing(0)}")
        ball = by_name.get(f"{BALL_NAME} {number}")
        states = ball.get_state_set() if ball else None
        check(states is not None and not states.contains(Atspi.StateType.VISIBLE)
              and not states.contains(Atspi.StateType.SHOWING), f"ball {number} is neither visible nor showing")
        if k == 0:
            check(Atspi.Text.get_text(by_name[INSTRUCTION_LINE], 0, -1) == EXPECTED["states"]["afterDraw"]["line"],
                  "the instruction line reads NEXT開獎")

    press(by_name["清除"], lambda: notifications() and len(balls_showing(1)) == len(drawn))
    check(balls_showing(1) == sorted(drawn), f"清除 brings back balls {sorted(drawn)}: {balls_showing(1)}")
    check(notifications() == [EXPECTED["newGameAnnouncement"]],
          f"清除 announces a new game, and no number: {notifications()}")
finally:
    lotto.terminate()
    lotto.wait()
sys.exit(1 if failures else 0)
