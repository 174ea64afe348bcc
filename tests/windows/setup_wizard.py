"""The installer's and the uninstaller's wizard windows under Wine, driven with the keyboard
as a user goes through them, page by page.

Wine draws a wizard's pages inside one X window, so a new page is told by the window's
picture: it changed after a key, then held still."""

import os
import subprocess
import time

from xsession import CheckFailed, Program, wait_until

# The Windows user's locale (LANG) for each language: Wine takes the UI language from it.
LOCALES = {"ru": "ru_RU.UTF-8", "en": "C.UTF-8"}
SETUP_TITLES = {"ru": "^Установка Velmora 1\\.0", "en": "^Velmora 1\\.0 Setup"}
UNINSTALL_TITLES = {"ru": "^Удаление Velmora 1\\.0", "en": "^Velmora 1\\.0 Uninstall"}
LANGUAGE_DIALOG = "^Language / Язык$"


def windows_named(display, pattern):
    """The mapped windows of the display whose title matches, whichever process shows them
    (the uninstaller runs from a copy of itself, in a process of its own)."""
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                            env=display.env, capture_output=True, timeout=30)
    return [int(line) for line in result.stdout.decode().split()]


def picture(display, window):
    return subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"],
                          env=display.env, capture_output=True, timeout=30).stdout


class Wizard:
    """A wizard started under Wine in `language`: its window, its pages and its message boxes."""

    def __init__(self, display, wine, prefix, argv, language, log):
        self.display = display
        self.language = language
        locale = LOCALES[language]
        self.program = Program(display, [wine, *argv], os.path.dirname(log), log,
                               dict(WINEPREFIX=prefix, LANG=locale, LC_ALL=locale))
        self.window = None

    def wait_for(self, pattern, timeout=60):
        """The window whose title matches; it becomes the wizard's window."""
        self.window = wait_until(lambda: (windows_named(self.display, pattern) or [None])[0], timeout,
                                 f"a window titled {pattern!r}", interval=0.2)
        self.settle()
        return self.window

    def settle(self, timeout=30):
        """Waits until the window's picture holds still for half a second."""
        last = None
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            now = picture(self.display, self.window)
            if now and now == last:
                return now
            last = now
            time.sleep(0.5)
        raise CheckFailed(f"the window {self.window} kept changing for {timeout} s")

    def press(self, key, changes=True, timeout=60):
        """Presses a key in the wizard; with `changes`, waits for the page it leads to."""
        before = picture(self.display, self.window)
        self.display.focus(self.window)
        self.display.key(key)
        if changes:
            wait_until(lambda: picture(self.display, self.window) != before, timeout,
                       f"the wizard to change after {key}", interval=0.3)
            self.settle(timeout)

    def message_box(self, timeout=60):
        """A box the wizard opens over its window (same title, another window)."""
        main = self.window
        title = self.display.title(main)
        return wait_until(lambda: [w for w in windows_named(self.display, ".") if w != main
                                   and self.display.title(w).strip() == title.strip()],
                          timeout, "a message box over the wizard", interval=0.2)[0]

    def answer(self, box, key, timeout=30):
        """Presses a key in a message box until it closes (Wine may hand the focus back to
        another window just as the box takes it)."""
        def closed():
            if box not in windows_named(self.display, "."):
                return True
            self.display.focus(box)
            self.display.key(key)
            return False
        wait_until(closed, timeout, f"the message box to close on {key}", interval=1.0)

    def finish(self, timeout=120):
        """The wizard's exit status (the uninstaller's copy ends on its own; its status is 0)."""
        return self.program.wait_for_exit(timeout)

    def close(self):
        self.program.close()
