# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# orca_speech.py: what the Orca checks share: Orca started beside any other Orca, speaking through a
# speech-dispatcher of its own into a file (orca_voice.py), and what it said, read back with the moments it was said.
import datetime
import os
import re
import socket
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

from lotto_atspi import applications
from orca_voice import speaking_time

HERE = Path(__file__).resolve().parent

# Debian's /usr/bin/orca refuses to start while any other process of the user is named orca (pgrep -x orca), renames
# itself orca, and with --replace kills every other one: so one test's Orca would stop another's. This starts the
# same script with those two steps left out, under its own name, so that it runs beside any other Orca.
ORCA_BESIDE_OTHERS = """
import importlib.machinery, importlib.util, sys
loader = importlib.machinery.SourceFileLoader("orca_script", "/usr/bin/orca")
script = importlib.util.module_from_spec(importlib.util.spec_from_loader(loader.name, loader))
loader.exec_module(script)
script.otherOrcas = lambda: []
script.setProcessName = lambda name: False
sys.argv[0] = "orca"
sys.exit(script.main())
"""

SPEECHD_CONF = """AddModule "lotto-voice" "sd_generic" "lotto-voice.conf"
DefaultModule "lotto-voice"
DefaultLanguage "en"
AudioOutputMethod "libao"
"""
# speech-dispatcher's generic module runs the command once per sentence (putting in the text once) and kills it when
# speech is cancelled. The shell notes the start itself, before the voice's interpreter has loaded.
VOICE_CONF = """GenericExecuteSynth "said=\\'$DATA\\'; at=$(date +%T.%6N); printf '%s\\\\tstart\\\\t%s\\\\n' $at \\"$said\\" >>{log}; exec /usr/bin/python3 -S -E {voice} {log} $at \\"$said\\""
GenericLanguage "en" "en" "utf-8"
GenericLanguage "zh" "zh" "utf-8"
AddVoice "en" "MALE1" "en"
AddVoice "zh" "MALE1" "zh"
"""


@dataclass
class Utterance:
    at: datetime.time  # when its first syllable was spoken
    text: str
    finished: bool  # spoken to its end, not cut off


def wait_for(condition, seconds, every=0.1):
    """The condition's first true value, polled until it comes or the seconds run out (then None)."""
    end = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() >= end:
            return value or None
        time.sleep(every)


def answers(socket_path):
    """Whether a server listens on the Unix socket yet: the file comes before the server takes calls."""
    with socket.socket(socket.AF_UNIX) as probe:
        try:
            probe.connect(str(socket_path))
            return True
        except OSError:
            return False


def now():
    return datetime.datetime.now().time()


class OrcaSpeaking:
    """Orca and its speech-dispatcher in the folder `work`, on the session and AT-SPI bus of the environment."""

    def __init__(self, work):
        self.work = Path(work)
        home = self.work / "home"
        speechd = self.work / "speechd"
        (speechd / "modules").mkdir(parents=True)
        home.mkdir()
        # libao's null driver: the voice speaks into its file and no sound card is needed.
        (home / ".libao").write_text("default_driver=null\n")
        self.speech_log = self.work / "speech.log"
        self.speech_log.touch()
        (speechd / "speechd.conf").write_text(SPEECHD_CONF)
        (speechd / "modules" / "lotto-voice.conf").write_text(
            VOICE_CONF.format(voice=HERE / "orca_voice.py", log=self.speech_log))
        socket_path = self.work / "speechd.sock"
        # Orca in English, whatever the machine's language, so its role names read as the checks expect.
        self.env = dict(os.environ, LC_ALL="C.UTF-8", LANGUAGE="", HOME=str(home),
                        XDG_CONFIG_HOME=str(home / ".config"), XDG_DATA_HOME=str(home / ".local" / "share"),
                        XDG_CACHE_HOME=str(home / ".cache"), XDG_RUNTIME_DIR=str(self.work),
                        SPEECHD_ADDRESS=f"unix_socket:{socket_path}")
        self.debug_log = self.work / "orca.log"
        self.speechd = subprocess.Popen(
            ["speech-dispatcher", "--run-single", "--communication-method", "unix_socket", "--socket-path",
             str(socket_path), "--config-dir", str(speechd), "--log-dir", str(self.work), "--timeout", "0"],
            env=self.env, stdout=subprocess.DEVNULL, stderr=open(self.work / "speechd.err", "w"))
        self.orca = None
        if not wait_for(lambda: answers(socket_path), 20):
            raise RuntimeError(f"speech-dispatcher did not start: {(self.work / 'speechd.err').read_text()}")
        self.orca = subprocess.Popen([sys.executable, "-c", ORCA_BESIDE_OTHERS, "--debug-file", str(self.debug_log)],
                                     env=self.env, stdout=open(self.work / "orca.out", "w"),
                                     stderr=subprocess.STDOUT)

    def wait_until_listening(self):
        """Orca joins the bus as an application of its own once it listens; only then can it hear a window appear."""
        return wait_for(lambda: any(app and app.get_name() == "orca" for app in applications()), 30) is not None

    def utterances(self):
        """Everything the voice began to say so far, in order."""
        said = []
        for line in self.speech_log.read_text("utf-8").splitlines():
            at, what, text = line.split("\t", 2)
            text = " ".join(text.split())
            if what == "start":
                said.append(Utterance(datetime.time.fromisoformat(at), text, False))
            elif said and said[-1].text == text:
                said[-1].finished = True
        return said

    def speech_output(self):
        """What Orca handed its voice, with when, as its log tells: said or not, depending on the voice's pace."""
        pattern = re.compile(r"^(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*)'\{")
        with open(self.debug_log, encoding="utf-8", errors="replace") as log:
            return [(datetime.time.fromisoformat(m[1]), " ".join(m[2].split())) for m in map(pattern.match, log) if m]

    def interruptions(self):
        """When Orca cut off its speech for a key, as its log tells."""
        pattern = re.compile(r"^(\d\d:\d\d:\d\d\.\d+) - DEFAULT: Interrupting presentation")
        with open(self.debug_log, encoding="utf-8", errors="replace") as log:
            return [datetime.time.fromisoformat(m[1]) for m in map(pattern.match, log) if m]

    def quiet_for(self, seconds):
        """True once the voice has said nothing for `seconds`: Orca has said what it had to say."""
        said = self.utterances()
        latest = datetime.datetime.now()
        if said and not said[-1].finished:  # still being said, unless it was cut off
            began = datetime.datetime.combine(latest.date(), said[-1].at)
            if (latest - began).total_seconds() < speaking_time(said[-1].text) + seconds:
                return False
        return time.time() - self.speech_log.stat().st_mtime >= seconds

    def stop(self):
        for process in (self.orca, self.speechd):
            if process is None:
                continue
            process.terminate()
            try:
                process.wait(timeout=15)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
