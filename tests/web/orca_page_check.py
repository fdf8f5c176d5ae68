#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# orca_page_check.py: the page in a real browser under the Orca screen reader, played from the keyboard alone, and
# what Orca says, heard through a speech-dispatcher voice that speaks into a file at a Mandarin voice's pace.
# Usage (inside tests/desktop/with_accessibility_bus.sh): orca_page_check.py firefox|chromium SITE-FOLDER
#
# Orca first reads the page from the top; then two games are played, the first at one key every 3 s, the second at
# one key every 0.5 s, each ended by 清除; Bye ends the program. Every number drawn must be spoken before the next key
# cuts Orca off, and at once after the press rather than behind what the focus says; 清除 and Bye are spoken.
import datetime
import functools
import http.server
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unicodedata
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "desktop"))
import gi  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
from lotto_atspi import EXPECTED, SLOT_NAMES, BALL_NAME, EMPTY_SLOT, check, failures  # noqa: E402
from orca_speech import OrcaSpeaking, now, wait_for  # noqa: E402

browser, site = sys.argv[1], Path(sys.argv[2]).resolve()
TITLE = "樂透程式"
ENDED = "樂透程式已經結束"
NEW_GAME = EXPECTED["newGameAnnouncement"]
# Orca hands its voice full-width punctuation as ASCII: "，" as ","
DESCRIPTIONS = {unicodedata.normalize("NFKC", button["description"]): button["caption"]
                for button in EXPECTED["buttons"].values()}
FAST_ANSWER = 1.0
# How Orca says that a control takes no presses, in its speech and its braille wording.
UNAVAILABLE = r"\b(grayed|dimmed|unavailable)\b"
# What Orca hands its voice for a draw's key while it is still behind on the keys before: the key's name, and 開獎,
# where the key before left the focus, with its description.
BEFORE_A_DRAW = {"space", "開獎 push button."} | {f"{d}." for d, caption in DESCRIPTIONS.items() if caption == "開獎"}
# What Orca calls the control the focus lands on after a draw: Next, or the instruction line after the seventh.
FOCUS_AFTER_DRAW = {False: "Next push button", True: f"{EXPECTED['instructionLineName']} entry"}  # seconds from a press within which a player who waits hears the number begin


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(QuietHandler, directory=str(folder)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start_browser(url, work):
    profile = work / "profile"
    profile.mkdir()
    if browser == "firefox":
        # A fresh profile opens its welcome and privacy pages beside the one asked for unless told not to.
        (profile / "user.js").write_text("".join(f'user_pref("{name}", {value});\n' for name, value in {
            "browser.aboutwelcome.enabled": "false", "browser.shell.checkDefaultBrowser": "false",
            "browser.startup.homepage_override.mstone": '"ignore"', "datareporting.policy.dataSubmissionEnabled":
            "false", "toolkit.telemetry.reportingpolicy.firstRun": "false", "browser.sessionstore.resume_from_crash":
            "false", "app.update.disabledForTesting": "true"}.items()))
        command = [os.environ.get("LOTTO_FIREFOX", "firefox-esr"), "--new-instance", "--no-remote", "--profile",
                   str(profile), url]
    else:
        # As root Chromium refuses its sandbox; it builds its accessibility tree only when told to.
        command = [os.environ.get("LOTTO_CHROMIUM", "chromium"), "--no-sandbox", "--force-renderer-accessibility",
                   f"--user-data-dir={profile}", "--no-first-run", "--no-default-browser-check", "--disable-gpu",
                   "--password-store=basic", "--disable-features=Translate,TranslateUI", url]
    return subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=open(work / "browser.err", "w"))


def browser_window(pid):
    """The browser's visible window, or None yet. xdotool gives up, printing nothing, when a window it is reading goes
    away meanwhile, as the browser's short-lived start-up windows do; so it is asked again rather than left to wait."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], capture_output=True, text=True,
                           timeout=20).stdout.split()
    return found[0] if found else None


def descendants(accessible, depth=0):
    """The accessible and all below it; a part that goes away while it is read is left out."""
    if accessible is None or depth > 40:
        return
    try:
        children = [accessible.get_child_at_index(i) for i in range(accessible.get_child_count())]
    except GLib.Error:
        return
    yield accessible
    for child in children:
        yield from descendants(child, depth + 1)


def attempt(read):
    """What `read` answers, or None where an object it asks went away meanwhile."""
    try:
        return read()
    except GLib.Error:
        return None


def find_document():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None or app.get_name() in ("orca", ""):
            continue
        for node in descendants(app):
            if node.get_role() == Atspi.Role.DOCUMENT_WEB and node.get_name() == TITLE:
                return node
    return None


def focused_button(document):
    """The focused button's own name: the last word of what it is called, after any announcement it carries."""
    for node in descendants(document):
        if node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_state_set().contains(Atspi.StateType.FOCUSED):
            return node.get_name().split()[-1]
    return None


def slot_numbers(slots):
    """The numbers in the seven slots, None for an empty one."""
    numbers = []
    for slot in slots:
        words = slot.get_name().split()
        numbers.append(None if not words or words[-1] == EMPTY_SLOT else words[-1])
    return numbers


def seconds(at):
    return at.hour * 3600 + at.minute * 60 + at.second + at.microsecond / 1e6


def game_keys():
    keys = []
    for k in range(7):
        if k > 0:
            keys.append(("space", "Next"))
        keys.append(("space", f"開獎 {k + 1}"))
    # The seventh draw leaves the focus on the instruction line; 清除 is two controls back, past Bye.
    return keys + [("shift+Tab", "back to Bye"), ("shift+Tab", "back to 清除"), ("space", "清除")]


work = Path(tempfile.mkdtemp(prefix=f"lotto-orca-{browser}-"))
server = serve(site)
orca = None
browser_process = None
presses = []  # (time of day just before the key, what it pressed)
games = []  # per game: (pace, the numbers drawn)
try:
    orca = OrcaSpeaking(work)
    check(orca.wait_until_listening(), "Orca is on the accessibility bus")
    # The page is opened as a player opens it, from the address bar of a browser window Orca already follows: a page
    # loaded before its window was active would be read by nobody.
    browser_process = start_browser("about:blank", work)
    window = wait_for(lambda: browser_window(browser_process.pid), 60, every=0.3)
    check(window is not None, f"{browser} shows a window")
    if window is None:
        sys.exit(1)
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=20)
    wait_for(lambda: any("frame" in u.text for u in orca.utterances()) and orca.quiet_for(1.0), 60, every=0.2)
    subprocess.run(["xdotool", "key", "ctrl+l"], check=True, timeout=10)
    subprocess.run(["xdotool", "type", "--delay", "20", f"http://127.0.0.1:{server.server_address[1]}/"], check=True,
                   timeout=30)
    wait_for(lambda: orca.quiet_for(0.5), 20, every=0.1)
    subprocess.run(["xdotool", "key", "Return"], check=True, timeout=10)
    document = wait_for(lambda: attempt(find_document), 60, every=0.5)
    check(document is not None, f"{browser} shows the page {TITLE} on the accessibility bus")
    if document is None:
        sys.exit(1)
    check(wait_for(lambda: attempt(lambda: focused_button(document)) == "開獎", 20, every=0.3) is not None,
          "開獎 has the focus")
    # The first reading: the page from the top, as a player asks Orca for it once it has said what it says at the load
    # (which page loads first, the program's focus or Orca's own reading, is a race): Control+Home to the top, then
    # Orca's Say All on the keypad's plus, until Orca has said it all.
    wait_for(lambda: orca.quiet_for(2.0), 60, every=0.3)
    subprocess.run(["xdotool", "key", "ctrl+Home"], check=True, timeout=10)
    wait_for(lambda: orca.quiet_for(1.0), 20, every=0.1)
    reading = now()
    subprocess.run(["xdotool", "key", "KP_Add"], check=True, timeout=10)
    # On a busy machine Orca may begin reading more than the quiet below after the key's own name: the reading is
    # waited for first, lest the games' keys fall into it.
    wait_for(lambda: any(u.at >= reading and u.text != "plus" for u in orca.utterances()), 60, every=0.2)
    wait_for(lambda: orca.quiet_for(2.0), 150, every=0.3)
    first_reading = [u.text for u in orca.utterances() if u.at >= reading]
    # The games start where the program put the focus, whatever the reading left it on.
    draw = next(node for node in descendants(document)
                if node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_name() == "開獎")
    grabbed = now()
    Atspi.Component.grab_focus(draw)
    check(wait_for(lambda: attempt(lambda: focused_button(document)) == "開獎", 10, every=0.2) is not None,
          "the focus is back on 開獎 for the games")
    # On a busy machine Orca may say the focus move more than a second late, into the first game's first key: the
    # games start once it has said it (it says nothing if the reading left the focus there) and gone quiet.
    wait_for(lambda: any(u.at >= grabbed and u.text.startswith("開獎 push button") for u in orca.utterances()), 10,
             every=0.1)
    wait_for(lambda: orca.quiet_for(1.0), 20, every=0.1)
    slots = [node for node in descendants(document)
             if node.get_name() and node.get_name().split()[0] in SLOT_NAMES]
    check(len(slots) == 7, f"seven slots on the bus: {len(slots)}")

    for pace in (3.0, 0.5):
        keys = game_keys()
        start = time.monotonic()
        drawn = None
        for n, (key, what) in enumerate(keys):
            time.sleep(max(0.0, start + n * pace - time.monotonic()))
            presses.append((now(), what, pace))
            subprocess.run(["xdotool", "key", key], check=True, timeout=10)
            if what == "開獎 7":
                drawn = wait_for(lambda: all(slot_numbers(slots)) and slot_numbers(slots), 5, every=0.05)
        late = time.monotonic() - start - (len(keys) - 1) * pace
        check(late < pace / 2, f"the keys at one every {pace} s kept their pace: the last {late:.2f} s late")
        games.append((pace, drawn))
        check(drawn is not None, f"the game at one key every {pace} s drew seven numbers: {drawn}")
        if pace == 3.0:
            check(wait_for(lambda: attempt(lambda: focused_button(document)) == "開獎", 10, every=0.2) is not None,
                  "清除 leaves the focus on 開獎")
            wait_for(lambda: orca.quiet_for(1.5), 30, every=0.2)
        else:
            for key, what in (("Tab", "on to Bye"), ("space", "Bye")):
                time.sleep(max(0.0, start + len(keys) * pace - time.monotonic()))
                presses.append((now(), what, pace))
                subprocess.run(["xdotool", "key", key], check=True, timeout=10)
                keys.append((key, what))
            wait_for(lambda: any(ENDED in u.text for u in orca.utterances()) and orca.quiet_for(1.0), 30, every=0.2)
    presses.append((now(), "end", 0))
finally:
    if browser_process:
        browser_process.terminate()
        try:
            browser_process.wait(timeout=15)
        except subprocess.TimeoutExpired:
            browser_process.kill()
    if orca:
        orca.stop()
    server.shutdown()

said = orca.utterances()
print(f"The first reading ({len(first_reading)} utterances): {first_reading}")
images = sum(len(re.findall(r"\bimage\b", text)) for text in first_reading)
check(images == 0, f"the first reading calls no ball or slot an image: {images} times")
# A description is said right after its button, as the focus lands there; anywhere else it is read as page text.
read_as_text = [text for n, text in enumerate(first_reading) for d, caption in DESCRIPTIONS.items()
                if d in text and not (n > 0 and first_reading[n - 1].startswith(f"{caption} push button"))]
check(read_as_text == [], f"the first reading reads no hidden description as text: {read_as_text}")
order = [m for text in first_reading for m in re.findall(rf"{BALL_NAME} \d+|{'|'.join(SLOT_NAMES)}", text)]
balls_first = [m for m in order if m.startswith(BALL_NAME)]
check(balls_first[:1] == [f"{BALL_NAME} 1"] and len(balls_first) == 42,
      f"the first reading goes through the 42 balls: {len(balls_first)}")
check([m for m in order if m in SLOT_NAMES] == SLOT_NAMES and order[-7:] == SLOT_NAMES,
      f"then through the seven slots in order: {order[-7:]}")

for n, (at, what, pace) in enumerate(presses[:-1]):
    until = presses[n + 1][0]
    heard = [u for u in said if at <= u.at < until]
    print(f"{what} at {at}: {[(round(seconds(u.at) - seconds(at), 2), u.text, u.finished) for u in heard]}")

# A number is spoken when its first syllable comes before Orca cuts its speech off for the next key.
interruptions = orca.interruptions()
orca_output = orca.speech_output()


def cut_off_after(at):
    return next((cut for cut in interruptions if cut >= at), datetime.time.max)


counts = {}
for pace, drawn in games:
    draws = [(n, p) for n, p in enumerate(presses) if p[2] == pace and p[1].startswith("開獎")]
    spoken = 0
    delays = []
    behind = []
    for k, (n, (at, what, _)) in enumerate(draws):
        number = drawn[k] if drawn else None
        until = cut_off_after(presses[n + 1][0])
        answer = [u for u in said if at <= u.at < until]
        heard = [u for u in answer if number and SLOT_NAMES[k] in u.text
                 and re.search(rf"(?<!\d){number}(?!\d)", u.text)]
        if heard:
            spoken += 1
            delays.append(round(seconds(heard[0].at) - seconds(at), 2))
        # The number is the first words of what the focus says as it lands (on Next, or on the instruction line after
        # the seventh draw): whatever Orca hands its voice for the press before the next key, beyond the key's own
        # name, must be that. A machine too busy for Orca to get even that far, or for the voice to begin what Orca
        # handed it before the next key, is not the page's doing, and is told apart.
        landed = FOCUS_AFTER_DRAW[k == 6]
        meant = [text for when, text in orca_output if at <= when < until]
        if not heard and pace < 3 and not any(landed in u.text for u in answer):
            if all(text in BEFORE_A_DRAW for text in meant):
                behind.append(what)
                continue
            if any(SLOT_NAMES[k] in text and re.search(rf"(?<!\d){number}(?!\d)", text) for text in meant):
                behind.append(f"{what} (the voice)")
                continue
        check(bool(heard), f"one key every {pace} s: {what}'s number {SLOT_NAMES[k]} {number} is spoken "
              "before the next key")
    clear = next(n for n, p in enumerate(presses) if p[2] == pace and p[1] == "清除")
    cleared = [u.text for u in said if presses[clear][0] <= u.at < cut_off_after(presses[clear + 1][0])]
    new_game = any(NEW_GAME in text for text in cleared)
    if new_game or pace >= 3 or any("開獎 push button" in text for text in cleared):
        check(new_game, f"one key every {pace} s: 清除 says a new game has started: {cleared}")
    else:
        behind.append("清除")
    # The focus only ever lands on a control that takes presses: greyed, said of it, is a stale state read out.
    check(not any(re.search(UNAVAILABLE, text) for text in cleared),
          f"one key every {pace} s: 清除 says 開獎 takes presses: {cleared}")
    check(sum(what.startswith("開獎") for what in behind) <= 5,
          f"one key every {pace} s: Orca kept up with at least two draws (behind on {behind})")
    counts[pace] = (spoken, delays, new_game, behind)
    if pace == 3.0:
        check(all(d <= FAST_ANSWER for d in delays),
              f"one key every 3 s: each number begins within {FAST_ANSWER} s of the press: {delays}")
bye = next((n for n, p in enumerate(presses) if p[1] == "Bye"), None)
after_bye = [u.text for u in said if bye is not None and presses[bye][0] <= u.at]
check(sum(text.count(ENDED) for text in after_bye) == 1,
      f"after Bye Orca says once that the program has ended: {after_bye}")
hidden = [text for text in after_bye if any(d in text for d in DESCRIPTIONS)]
check(hidden == [], f"after Bye nothing hidden is read: {hidden}")
for pace, (spoken, delays, new_game, behind) in counts.items():
    print(f"{browser}, one key every {pace} s: {spoken} of 7 draws spoken, from the press to the number {delays} s;"
          f" 清除 {'spoken' if new_game else 'silent'}; Orca behind the keys on {behind}")
print(f"{browser}: Bye {'spoken' if any(ENDED in t for t in after_bye) else 'silent'}")
if failures:
    print(f"Orca's speech: {orca.speech_log}; its log: {orca.debug_log}; the browser's errors: {work}/browser.err")
else:
    shutil.rmtree(work, ignore_errors=True)
sys.exit(1 if failures else 0)
