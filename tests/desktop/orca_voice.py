#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# orca_voice.py: a voice for speech-dispatcher that speaks into a file: it takes as long to say an utterance as a
# Mandarin voice would and notes its end (the command that runs it notes its start). A cancelled utterance is killed
# and has no end.
# Usage (speech-dispatcher's generic module runs it): orca_voice.py LOG START-TIME TEXT
import datetime
import sys
import time
import unicodedata

# How long a voice takes, roughly as a Mandarin voice at its default rate does: a syllable for each Chinese
# character, a letter of a Latin word or a digit faster, a pause at each stop. Speaking takes time, and a screen
# reader that queues one utterance behind another is heard late, or not at all when the next key cuts it off:
# that is what the checks listen for, so the time spoken is the model, not a wait for something to happen.
SECONDS_PER_SYLLABLE = 0.25
SECONDS_PER_LETTER = 0.06
SECONDS_PER_STOP = 0.2


def speaking_time(text):
    seconds = 0.0
    for character in text:
        if unicodedata.east_asian_width(character) in ("W", "F"):
            seconds += SECONDS_PER_SYLLABLE
        elif character.isalnum():
            seconds += SECONDS_PER_LETTER
        elif character in ".,;:!?。，；：！？":
            seconds += SECONDS_PER_STOP
    return seconds


def note(log_path, what, text):
    with open(log_path, "a", encoding="utf-8") as log:
        log.write(f"{datetime.datetime.now().time().isoformat()}\t{what}\t{' '.join(text.split())}\n")


if __name__ == "__main__":
    log_path, began, text = sys.argv[1], datetime.time.fromisoformat(sys.argv[2]), sys.argv[3]
    # Counted from the start the command noted, so that loading this interpreter adds nothing to the utterance.
    begun = datetime.datetime.combine(datetime.date.today(), began)
    time.sleep(max(0.0, speaking_time(text) - (datetime.datetime.now() - begun).total_seconds()))
    note(log_path, "end", text)
