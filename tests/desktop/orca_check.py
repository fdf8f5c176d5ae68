#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# orca_check.py: plays a game from the keyboard under the Orca screen reader and checks what Orca says.
# Usage (inside with_accessibility_bus.sh): orca_check.py LOTTO
# Orca speaks into its debug log (SPEECH OUTPUT lines), so no synthesiser is needed; the log is read once Orca
# has ended, when it is complete, and split at the moments the keys were pressed.
import datetime
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
from lotto_atspi import SLOT_NAMES, applications, check, failures, find_window  # noqa: E402

SETTLE = float(os.environ.get("LOTTO_ORCA_SETTLE", "1.5"))  # seconds Orca is given to speak after a key


def wait_for(condition, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    return None


def has_state(accessible, state):
    return accessible.get_state_set().contains(state)


def spoken(log_path):
    """Every utterance in Orca's log, as (time of day, text)."""
    pattern = re.compile(r"^(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*)'\s*\{'established'")
    with open(log_path, encoding="utf-8", errors="replace") as log:
        return [(datetime.datetime.strptime(m[1], "%H:%M:%S.%f").time(), m[2]) for m in map(pattern.match, log) if m]


work = tempfile.mkdtemp(prefix="lotto-orca-")
home = os.path.join(work, "home")
os.makedirs(home)
# Orca in English, whatever the machine's language, so its role names read as this script expects.
env = dict(os.environ, LC_ALL="C.UTF-8", LANGUAGE="", HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
           XDG_DATA_HOME=os.path.join(home, ".local", "share"), XDG_CACHE_HOME=os.path.join(home, ".cache"))
log_path = os.path.join(work, "orca.log")
with open(os.path.join(work, "orca.out"), "w") as orca_out:
    orca = subprocess.Popen(["orca", "--replace", "--debug-file", log_path], env=env,
                            stdout=orca_out, stderr=subprocess.STDOUT)
lotto = None
presses = []  # (time of day just before the key, what was pressed)
try:
    # Orca joins the bus as an application of its own once it listens; only then can it hear the window appear.
    check(wait_for(lambda: any(app and app.get_name() == "orca" for app in applications()), 30) is not None,
          "Orca is on the accessibility bus")
    time.sleep(SETTLE)
    with open(os.path.join(work, "lotto.err"), "w") as lotto_err:
        lotto = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL, stderr=lotto_err)
    x_window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--class", "lotto"],
                              capture_output=True, text=True, timeout=20).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", x_window], check=True, timeout=20)
    # Looked up once the window has the focus and the program has settled on the bus, so that no object
    # found while it was still starting up is used after that.
    time.sleep(SETTLE)
    window = wait_for(find_window, 20)
    check(window is not None, "the window 樂透程式 is on the accessibility bus")
    if window is None:
        sys.exit(1)

    children = [window.get_child_at_index(i) for i in range(window.get_child_count())]
    buttons = {c.get_name(): c for c in children if c.get_role() == Atspi.Role.PUSH_BUTTON}
    slots = [c for c in children if c.get_role() == Atspi.Role.LABEL and c.get_name().split()[0] in SLOT_NAMES]

    def step(what):
        time.sleep(SETTLE)  # whatever the last step made Orca say is said by now
        presses.append((datetime.datetime.now().time(), what))

    def press(what):
        step(what)
        subprocess.run(["xdotool", "key", "space"], check=True, timeout=10)

    time.sleep(SETTLE)
    presses.append((datetime.datetime.now().time(), "rolling"))  # the light rolls on while nothing is pressed
    drawn = []
    for k in range(7):
        draw = buttons["開獎"]
        if k > 0:
            # Next, from the keyboard if the game put the focus there, then back to 開獎 however the game left it.
            if has_state(buttons["Next"], Atspi.StateType.FOCUSED):
                press("Next")
            else:
                step("Next")
                Atspi.Action.do_action(buttons["Next"], 0)
            if not wait_for(lambda: has_state(draw, Atspi.StateType.ENABLED), 5):
                check(False, f"開獎 enabled again after Next, draw {k + 1}")
                break
        if not has_state(draw, Atspi.StateType.FOCUSED):
            step("focus to 開獎")
            Atspi.Component.grab_focus(draw)
            wait_for(lambda: has_state(draw, Atspi.StateType.FOCUSED), 5)
        press(f"開獎 {k + 1}")
        filled = wait_for(lambda: not slots[k].get_name().endswith("未開出") and slots[k].get_name(), 5)
        check(bool(filled), f"draw {k + 1} filled its slot: {slots[k].get_name()}")
        drawn.append(filled)
    clear = buttons["清除"]
    if not has_state(clear, Atspi.StateType.FOCUSED):
        step("focus to 清除")
        Atspi.Component.grab_focus(clear)
        wait_for(lambda: has_state(clear, Atspi.StateType.FOCUSED), 5)
    press("清除")
    time.sleep(SETTLE)
    presses.append((datetime.datetime.now().time(), "end"))
finally:
    if lotto:
        lotto.terminate()
        lotto.wait()
    orca.send_signal(signal.SIGTERM)
    try:
        orca.wait(timeout=15)
    except subprocess.TimeoutExpired:
        orca.kill()
        orca.wait()

utterances = spoken(log_path)
steps = []
for (start, what), (end, _) in zip(presses, presses[1:]):
    said = [text for at, text in utterances if start <= at < end]
    print(f"{what}: {said}")
    steps.append((what, said))
notifications = [text for text in (t for _, t in utterances) if text.startswith("notification")]
for what, said in steps:
    heard = [text for text in said if text.startswith("notification")]
    if not what.startswith("開獎"):
        check(heard == [], f"{what}: no number announced: {heard}")
        continue
    k = int(what.split()[-1]) - 1
    expected = f"notification {drawn[k]}." if k < len(drawn) and drawn[k] else None
    check(heard == [expected], f"{what}: Orca says {expected!r} once: {heard}")
    # Orca cuts speech short when the focus moves, so the number must come after the focused button.
    check(bool(said) and said[-1] == expected, f"{what}: the number is the last thing said: {said[-1:]}")
check(len(notifications) == 7, f"seven numbers announced in the game: {len(notifications)}")
if failures:
    print(f"Orca's log: {log_path}; lotto ended with {lotto.returncode if lotto else None}, its stderr: {work}/lotto.err")
else:
    shutil.rmtree(work)
sys.exit(1 if failures else 0)
