"""A private X display (Xvfb, without a window manager unless asked for openbox), a
program running on it, and the xdotool, xprop and ImageMagick calls that drive and
watch it.

Every grab is written to the screenshot folder as it is taken; a passing run deletes
them, a failing one converts them to PNG and prints their paths."""

import os
import re
import select
import shutil
import subprocess
import tempfile
import time
import traceback

from pictures import Raster

TOOLS = ("Xvfb", "xdotool", "xprop", "xwininfo", "import", "convert")
SCREEN_SIZE = (1600, 1200)


def missing_tools():
    return [tool for tool in TOOLS if shutil.which(tool) is None]


class CheckFailed(Exception):
    pass


def stop(process):
    """Ends a helper process: asked first, killed if it has not ended within 10 s."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def wait_until(condition, timeout, what, interval=0.05):
    """Polls `condition` until it returns something true; fails after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise CheckFailed(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class Display:
    """Xvfb on a display number it picks itself (-displayfd), so parallel runs never clash;
    with `window_manager`, openbox manages its windows."""

    def __init__(self, size=SCREEN_SIZE, window_manager=False):
        read_end, write_end = os.pipe()
        width, height = size
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        try:
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or not select.select([read_end], [], [], remaining)[0]:
                    raise CheckFailed("Xvfb did not report its display number within 20 s")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise CheckFailed("Xvfb ended before reporting its display number")
                number += chunk
        except BaseException:
            self.close()
            raise
        finally:
            os.close(read_end)
        self.name = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.window_manager = None
        if window_manager:
            self.window_manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                wait_until(self.managed, 20, "openbox to manage the display", interval=0.1)
            except BaseException:
                self.close()
                raise

    def managed(self):
        """Whether a window manager has announced itself on the root window."""
        result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                capture_output=True, timeout=30)
        return b"window id #" in result.stdout

    def close(self):
        if self.window_manager is not None:
            stop(self.window_manager)
        stop(self.process)

    def run(self, *args):
        result = subprocess.run(list(args), env=self.env, capture_output=True, timeout=30)
        if result.returncode != 0:
            raise CheckFailed(f"{' '.join(args)} failed ({result.returncode}): {result.stderr.decode(errors='replace')}")
        return result.stdout.decode(errors="replace")

    def xdotool(self, *args):
        return self.run("xdotool", *[str(a) for a in args])

    # Input. There is no window manager, so keyboard input goes to the window that
    # holds the X focus; `focus` gives it to a window explicitly.
    def click(self, x, y):
        self.xdotool("mousemove", x, y, "click", 1)

    def key(self, *keys):
        self.xdotool("key", "--delay", 40, *keys)

    def type(self, text):
        self.xdotool("type", "--delay", 60, text)

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    # Windows.
    def visible_windows(self, pid, name="."):
        """Ids of the mapped windows of process `pid` whose title matches the pattern."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", name],
                                env=self.env, capture_output=True, timeout=30)
        return [int(line) for line in result.stdout.decode().split()]

    def title(self, window):
        return self.xdotool("getwindowname", window).rstrip("\n")

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen, without a window manager's frame."""
        info = self.run("xwininfo", "-id", str(window))
        return tuple(int(re.search(field + r":\s+(-?\d+)", info).group(1))
                     for field in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def is_top_level(self, window):
        tree = self.run("xwininfo", "-id", str(window), "-tree")
        return re.search(r"Parent window id: 0x[0-9a-f]+ \(the root window\)", tree) is not None

    def frame(self, window):
        """(x, y, width, height) of the window with the frame its window manager gave it."""
        x, y, width, height = self.geometry(window)
        left = right = top = bottom = 0
        extents = re.search(r"= (\d+), (\d+), (\d+), (\d+)", self.run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS"))
        if extents:
            left, right, top, bottom = (int(e) for e in extents.groups())
        return x - left, y - top, width + left + right, height + top + bottom

    def root_windows(self, name):
        """A root window property holding window ids, as a list of ids."""
        return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", self.run("xprop", "-root", name))]

    def size_hints(self, window):
        """The minimum and maximum sizes the window asks for, as ((w, h), (w, h))."""
        hints = self.run("xprop", "-id", str(window), "WM_NORMAL_HINTS")
        minimum = re.search(r"minimum size: (\d+) by (\d+)", hints)
        maximum = re.search(r"maximum size: (\d+) by (\d+)", hints)
        pair = (lambda m: (int(m.group(1)), int(m.group(2))) if m else None)
        return pair(minimum), pair(maximum)


def report_failure(scenario, failure, shots, display):
    """Says why a scenario failed, with the traceback of anything but a failed check, and
    grabs the screen as it was while the display still runs."""
    print(f"FAILED {scenario}: {failure}")
    if not isinstance(failure, CheckFailed):
        traceback.print_exc()
    if shots is not None and display is not None and display.process.poll() is None:
        try:
            shots.grab("at-failure")
            # Which windows the display had, mapped or not, and who manages them: a window
            # that never showed is told apart from one that was never made.
            tree = subprocess.run(["xwininfo", "-root", "-tree"], env=display.env, capture_output=True,
                                  timeout=10).stdout.decode(errors="replace")
            named = [line.strip() for line in tree.splitlines() if '"' in line]
            print("named windows on the display:\n  " + "\n  ".join(named[:40]))
        except Exception:
            pass


class Screenshots:
    """Grabs of windows or of the whole screen, numbered and kept until the run ends."""

    def __init__(self, display, folder):
        self.display = display
        self.folder = folder
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        self.count = 0

    def grab(self, label, window="root"):
        """Returns (raster, time): the time is the middle of the grab, in monotonic seconds."""
        before = time.monotonic()
        data = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"],
                              env=self.display.env, capture_output=True, timeout=30, check=True).stdout
        after = time.monotonic()
        self.count += 1
        with open(os.path.join(self.folder, f"{self.count:03d}-{label}.ppm"), "wb") as f:
            f.write(data)
        return Raster.from_ppm(data), (before + after) / 2

    def discard(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def finish(self, failed):
        """A failed run keeps its grabs and says where they are, with the program's output
        where it was written beside them; a passed one leaves nothing behind."""
        if not failed:
            self.discard()
            return
        for path in self.keep():
            print(f"screenshot: {path}")
        log = os.path.join(self.folder, "program-output.txt")
        if os.path.exists(log):
            with open(log, "rb") as f:
                print("program output:\n" + f.read().decode(errors="replace"))

    def keep(self):
        """Converts the grabs to PNG for reading and returns their paths."""
        kept = []
        for name in sorted(os.listdir(self.folder)):
            if not name.endswith(".ppm"):
                continue
            source = os.path.join(self.folder, name)
            target = source[:-4] + ".png"
            subprocess.run(["convert", source, target], check=False)
            if os.path.exists(target):
                os.remove(source)
                kept.append(target)
            else:
                kept.append(source)
        return kept


class Program:
    """The program under test, started on a display in a given working folder."""

    def __init__(self, display, argv, cwd, log_path, extra_env=None):
        self.display = display
        self.runtime_dir = tempfile.mkdtemp(prefix="velmora-e2e-runtime-")
        env = dict(display.env, QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8", XDG_RUNTIME_DIR=self.runtime_dir)
        for variable in ("QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_STYLE_OVERRIDE"):
            env.pop(variable, None)
        env.update(extra_env or {})
        self.log = open(log_path, "wb")
        self.process = subprocess.Popen(argv, cwd=cwd, env=env, stdout=self.log, stderr=subprocess.STDOUT)
        self.pid = self.process.pid

    def wait_for_main_window(self, title, timeout=30):
        pattern = "^" + re.escape(title) + "$"

        def found():
            if self.process.poll() is not None:
                raise CheckFailed(f"the program ended at start-up with status {self.process.returncode}")
            windows = self.display.visible_windows(self.pid, pattern)
            return windows[0] if windows else None
        return wait_until(found, timeout, f"a window titled {title!r}", interval=0.1)

    def wait_for_exit(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise CheckFailed(f"the program was still running {timeout} s later") from None

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()
        shutil.rmtree(self.runtime_dir, ignore_errors=True)

