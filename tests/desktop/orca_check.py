#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# orca_check.py: plays a game from the keyboard under the Orca screen reader and checks what Orca says, and that
# each drawn ball leaves what the bus shows.
# Usage (inside with_accessibility_bus.sh): orca_check.py LOTTO
# Orca speaks through a voice that writes each utterance into a file as long as a Mandarin voice takes to say it
# (orca_speech.py); the file is read once Orca has ended and split at the moments the keys were pressed.
import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
from lotto_atspi import BALL_NAME, EXPECTED, SLOT_NAMES, check, failures, find_window  # noqa: E402
from orca_speech import OrcaSpeaking, wait_for  # noqa: E402

SETTLE = float(os.environ.get("LOTTO_ORCA_SETTLE", "1.5"))  # seconds between keys, a player who knows the game


def has_state(accessible, state):
    return accessible.get_state_set().contains(state)


work = tempfile.mkdtemp(prefix="lotto-orca-")
orca = None
lotto = None
presses = []  # (time of day just before the key, what was pressed)
try:
    orca = OrcaSpeaking(work)
    check(orca.wait_until_listening(), "Orca is on the accessibility bus")
    time.sleep(SETTLE)
    with open(f"{work}/lotto.err", "w") as lotto_err:
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
    balls = {c.get_name(): c for c in children if c.get_name().startswith(f"{BALL_NAME} ")}

    def step(what):
        time.sleep(SETTLE)  # the player's pace: what Orca has not begun to say by the next key is lost
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
        ball = balls.get(f"{BALL_NAME} {filled.split()[-1]}") if filled else None
        check(ball is not None and wait_for(lambda: not has_state(ball, Atspi.StateType.SHOWING), 5),
              f"the drawn {ball and ball.get_name()} stops showing")
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
    if orca:
        orca.stop()

utterances = orca.utterances()
steps = []
for (start, what), (end, _) in zip(presses, presses[1:]):
    said = [u.text.rstrip(".") for u in utterances if start <= u.at < end]  # the voice keeps each sentence's stop
    print(f"{what}: {said}")
    steps.append((what, said))
notifications = [u.text for u in utterances if u.text.startswith("notification")]
for what, said in steps:
    heard = [text for text in said if text.startswith("notification")]
    if what == "清除":
        new_game = f"notification {EXPECTED['newGameAnnouncement']}"
        check(heard == [new_game], f"清除: Orca says {new_game!r}, and no number: {heard}")
        continue
    if not what.startswith("開獎"):
        check(heard == [], f"{what}: no number announced: {heard}")
        continue
    k = int(what.split()[-1]) - 1
    expected = f"notification {drawn[k]}" if k < len(drawn) and drawn[k] else None
    check(heard == [expected], f"{what}: Orca says {expected!r} once: {heard}")
    # What the focused button says next waits behind the number, which the next key would otherwise cut off.
    # (What Orca was still saying for the step before, had it fallen behind, comes before the key's echo.)
    after_key = said[said.index("space") + 1:] if "space" in said else said
    check(after_key[:1] == [expected], f"{what}: the number is the first thing said after the key: {said[:3]}")
check(len(notifications) == 8, f"seven numbers and a new game announced: {len(notifications)}")
if failures:
    print(f"Orca's speech: {orca.speech_log}; its log: {orca.debug_log}; lotto ended with "
          f"{lotto.returncode if lotto else None}, its stderr: {work}/lotto.err")
else:
    shutil.rmtree(work)
sys.exit(1 if failures else 0)
