"""A real screen reader listening to the program: Orca, with its speech written to a
file instead of a sound card.

Orca and its speech server (speech-dispatcher) run with a home, runtime and
configuration folder of their own in a temporary folder. The speech server's only
output module is sd_generic running a small script that appends each text it is given,
with the time and the language, to a file: that file is what a pupil would hear.
Orca's debug file (its "SPEECH OUTPUT" lines and the accessibility events it received)
is kept beside it for a failing run.

Needs a D-Bus session with the accessibility bus switched on (the test runs under
tests/run_with_screen_reader_bus.sh), Debian's orca and speech-dispatcher, and xset."""

import datetime
import os
import re
import shutil
import subprocess
import tempfile
import time

from xsession import CheckFailed, stop

TOOLS = ("orca", "speech-dispatcher", "xset", "pgrep")
MODULE = "/usr/lib/speech-dispatcher-modules/sd_generic"

# Appends "<seconds since the epoch> <language>\t<text>" for each text, one line each;
# line breaks inside a text become blanks.
SPEAK = """#!/bin/sh
now=$(date +%s.%N)
printf '%s %s\\t%s\\n' "$now" "$2" "$(printf '%s' "$1" | tr '\\n' ' ')" >> "$3"
"""


def missing():
    """Why Orca cannot run here, or None."""
    absent = [tool for tool in TOOLS if shutil.which(tool) is None]
    if not os.path.exists(MODULE):
        absent.append(MODULE)
    if absent:
        return f"missing {', '.join(absent)} (tools/setup-debian.sh --tests installs them)"
    return None


def wait_for_others(timeout=240):
    """Orca refuses to start while another Orca of the same user runs, whatever its
    display: waits for them to end. Returns False if one still runs at the deadline."""
    deadline = time.monotonic() + timeout
    while True:
        running = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True, text=True)
        if not running.stdout.split():
            return True
        if time.monotonic() > deadline:
            return False
        time.sleep(1)


class Utterance:
    def __init__(self, line):
        stamp, rest = line.split(" ", 1)
        self.time = float(stamp)
        self.language, _, self.text = rest.partition("\t")
        self.text = self.text.strip()

    def __repr__(self):
        return f"[{self.language}] {self.text}"


class Orca:
    """Orca on `display`, speaking into a file."""

    def __init__(self, display, language="C.UTF-8"):
        self.folder = tempfile.mkdtemp(prefix="velmora-orca-")
        self.spoken = os.path.join(self.folder, "spoken.txt")
        self.debug = os.path.join(self.folder, "orca-debug.txt")
        home = os.path.join(self.folder, "home")
        config = os.path.join(home, ".config")
        runtime = os.path.join(self.folder, "runtime")
        prefs = os.path.join(self.folder, "orca-prefs")
        for folder in (config, runtime, prefs, os.path.join(config, "speech-dispatcher", "modules")):
            os.makedirs(folder, exist_ok=True)
        os.chmod(runtime, 0o700)
        speak = os.path.join(self.folder, "speak.sh")
        with open(speak, "w") as f:
            f.write(SPEAK)
        os.chmod(speak, 0o755)
        open(self.spoken, "w").close()
        with open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "w") as f:
            # No sound card: the module's own sound goes to ALSA's null device.
            f.write('LogLevel 2\nLogDir "%s"\nDefaultModule file\nDefaultLanguage "ru"\n'
                    'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n'
                    'AddModule "file" "sd_generic" "file.conf"\n' % self.folder)
        with open(os.path.join(config, "speech-dispatcher", "modules", "file.conf"), "w") as f:
            f.write(f'GenericExecuteSynth "{speak} \\\'$DATA\\\' \\\'$LANGUAGE\\\' {self.spoken}"\n'
                    'GenericCmdDependency "sh"\n'
                    'AddVoice "ru" "MALE1" "ru"\nAddVoice "en" "MALE1" "en"\n'
                    'GenericLanguage "ru" "ru" "utf-8"\nGenericLanguage "en" "en" "utf-8"\n'
                    'GenericLanguage "en-US" "en" "utf-8"\n')
        self.env = dict(display.env, HOME=home, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime,
                        XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                        XDG_CACHE_HOME=os.path.join(home, ".cache"), LANG=language, LC_ALL=language)
        # A held key would repeat on a busy machine and be spoken twice.
        subprocess.run(["xset", "r", "off"], env=display.env, check=False)
        self.log = open(os.path.join(self.folder, "orca-output.txt"), "wb")
        self.process = subprocess.Popen(["orca", "-u", prefs, "--debug-file", self.debug], env=self.env,
                                        stdout=self.log, stderr=subprocess.STDOUT)

    def wait_ready(self, timeout=60):
        """Until Orca has spoken its welcome, so that its speech server is up."""
        self.wait_for(lambda u: True, timeout, "Orca's first words", since=0)

    def heard(self, since=0.0):
        with open(self.spoken, encoding="utf-8", errors="replace") as f:
            utterances = [Utterance(line) for line in f if "\t" in line]
        return [u for u in utterances if u.time >= since]

    def wait_for(self, match, timeout, what, since):
        """The first utterance from `since` on that `match` accepts; fails after `timeout` s."""
        deadline = time.monotonic() + timeout
        while True:
            if self.process.poll() is not None:
                raise CheckFailed(f"Orca ended with status {self.process.returncode} while waiting for {what}")
            found = next((u for u in self.heard(since) if match(u)), None)
            if found:
                return found
            if time.monotonic() > deadline:
                raise CheckFailed(f"Orca did not say {what} within {timeout} s; it said {self.heard(since)}")
            time.sleep(0.1)

    def _debug_lines(self, since, until):
        """Orca's debug lines stamped from `since` to `until` (seconds since the epoch)."""
        day = datetime.date.today()
        lines = []
        with open(self.debug, encoding="utf-8", errors="replace") as f:
            for line in f:
                stamp = re.match(r"(\d\d):(\d\d):(\d\d\.\d+) - ", line)
                if not stamp:
                    continue
                hours, minutes, seconds = int(stamp.group(1)), int(stamp.group(2)), float(stamp.group(3))
                when = datetime.datetime.combine(day, datetime.time(hours, minutes)).timestamp() + seconds
                if since <= when <= until:
                    lines.append(line[stamp.end():].rstrip())
        return lines

    def voice_languages(self, since, until):
        """The languages Orca asked a voice for in that time: a text's language attribute,
        or '' where it had none."""
        asked = re.compile(r"voice requested with language='([^']*)'")
        return [m.group(1) for m in map(asked.search, self._debug_lines(since, until)) if m]

    def events(self, since, until, application):
        """The accessibility events Orca received from `application` in that time."""
        received = re.compile(r"EVENT MANAGER: (\S+:\S*) for (.*) in \[application \| " + re.escape(application) + r"\]")
        return [f"{m.group(1)} {m.group(2)}" for m in map(received.match, self._debug_lines(since, until)) if m]

    def flooded(self, since):
        """Whether Orca fell so far behind that it started dropping events."""
        return any("FLOOD" in line or "DELUGE" in line for line in self._debug_lines(since, time.time()))

    def quiet(self, seconds=0.8, timeout=15):
        """Waits until nothing has been said for `seconds`; returns the time then."""
        deadline = time.monotonic() + timeout
        last = os.path.getmtime(self.spoken)
        while time.monotonic() < deadline:
            time.sleep(0.1)
            now = time.time()
            changed = os.path.getmtime(self.spoken)
            if changed != last:
                last = changed
            elif now - last >= seconds:
                return now
        return time.time()

    def close(self):
        stop(self.process)
        self.log.close()

    def keep(self, target):
        """Copies the speech and Orca's debug file to `target` for a failing run."""
        os.makedirs(target, exist_ok=True)
        for name in ("spoken.txt", "orca-debug.txt", "orca-output.txt"):
            path = os.path.join(self.folder, name)
            if os.path.exists(path):
                shutil.copy(path, target)

    def discard(self):
        shutil.rmtree(self.folder, ignore_errors=True)
