# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# lotto_atspi.py: what the AT-SPI checks share: their verdicts and finding the lottery window on the bus.
import json
from pathlib import Path

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

failures = []

# What every layer's tests expect, written once for the C++, Python and JavaScript tests alike.
EXPECTED = json.loads((Path(__file__).resolve().parent.parent / "support" / "expected.json").read_text("utf-8"))
SLOT_NAMES = EXPECTED["slotNames"]
BALL_NAME = EXPECTED["ballName"]
EMPTY_SLOT = EXPECTED["emptySlot"]
INSTRUCTION_LINE = EXPECTED["instructionLineName"]


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def applications():
    desktop = Atspi.get_desktop(0)
    return [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]


def find_window():
    for app in applications():
        for j in range(app.get_child_count() if app else 0):
            window = app.get_child_at_index(j)
            if window and window.get_name() == "樂透程式":
                return window
    return None
