#!/usr/bin/env python3
"""The Windows program under Wine on a private X display, driven with xdotool.

    run_windows_e2e.py lesson --program build-windows/velmora.exe --screenshots DIR
    run_windows_e2e.py installer --setup build-windows/velmora-1.0-setup.exe --screenshots DIR
    run_windows_e2e.py screenshots --program build-windows/velmora.exe --out docs

Wine runs in its own prefix (WINEPREFIX, made on first use). Exit status: 0 passed,
1 failed (grabs kept as PNG), 77 skipped because Wine or an X tool is missing."""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))

import lesson  # noqa: E402
from lesson import ENGLISH_BOX, RUSSIAN_BOX, MainWindow  # noqa: E402
from pictures import best_match, decode_picture  # noqa: E402
from xsession import (CheckFailed, Display, Program, Screenshots, check, missing_tools,  # noqa: E402
                      report_failure, wait_until)

SKIPPED = 77
TITLE = "Velmora 1.0"
REPOSITORY = os.path.dirname(os.path.dirname(HERE))
WINE = os.path.join(REPOSITORY, "tools", "windows", "wine.sh")
SAME_PICTURE = 6.0
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"


def wine_env(prefix):
    return dict(WINEPREFIX=prefix, QT_QPA_PLATFORM="windows")


def wine(prefix, *args, cwd=None, timeout=120):
    env = dict(os.environ, **wine_env(prefix))
    return subprocess.run([WINE, *args], env=env, cwd=cwd, capture_output=True, timeout=timeout)


RUNNING = []  # programs to end after the grab of a failure


def start(display, prefix, program, cwd, log, language="C.UTF-8"):
    # Wine takes the user's locale, and so the decimal separator, from LANG.
    started = Program(display, [WINE, program], cwd, log, dict(wine_env(prefix), LANG=language, LC_ALL=language))
    RUNNING.append(started)
    return started


def main_window(display, program, shots):
    window = program.wait_for_main_window(TITLE, timeout=90)
    return MainWindow(display, program, shots, window)


def clipboard_of_field(display, window, name):
    """The field's text, copied with Ctrl+A, Ctrl+C and read from the X clipboard (empty
    on the fresh display until then)."""
    x, y = lesson.FIELDS[name]
    window.click(x + 20, y + 14)

    def copied():
        # Wine hands the clipboard to X through its desktop process, which may still be
        # starting: copy again until X has it.
        display.key("ctrl+a", "ctrl+c")
        text = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=display.env,
                              capture_output=True, timeout=10).stdout.decode(errors="replace")
        return text or None
    return wait_until(copied, 30, f"the text of {name} on the clipboard", interval=1.0)


def shows_picture(window, raster, row, picture):
    x, y = window.picture_origin(row, 1, picture)
    return best_match(raster, picture, x, y) < SAME_PICTURE


def other_windows(display, program, main):
    return [w for w in display.visible_windows(program.pid) if w != main.id]


def titled(display, program, main, title):
    """The program's other windows titled `title`. Found by title, as on a busy machine a
    closing menu may still be listed beside them, and gone by the time it is asked its name."""
    found = []
    for window in other_windows(display, program, main):
        try:
            if display.title(window) == title:
                found.append(window)
        except CheckFailed:
            pass
    return found


def scenario_lesson(display, shots, args):
    """Title; t = 2, v = 60 give s = 120 (clipboard); a bad value opens the error box; the
    language boxes rename the About window; a picture from dris/ shows in the lower lane."""
    program = start(display, args.wineprefix, os.path.abspath(args.program), REPOSITORY,
                    os.path.join(shots.folder, "program-output.txt"))
    w = main_window(display, program, shots)
    check(display.title(w.id) == TITLE, f"main window title is {display.title(w.id)!r}")

    w.type_into("t1", "2")
    w.type_into("v1", "60")
    w.press_start()
    shown = clipboard_of_field(display, w, "s1")
    check(shown == "120", f"s shows {shown!r} for t = 2, v = 60, expected '120'")

    w.type_into("t2", "abc")
    w.type_into("v2", "5")
    w.press_start()
    boxes = wait_until(lambda: [x for x in display.visible_windows(program.pid, "^Velmora 1\\.0$")
                                if x != w.id], 15, "an error box titled 'Velmora 1.0'")
    check(len(boxes) == 1, f"expected one error box, found {len(boxes)}")
    shots.grab("error-box")
    display.focus(boxes[0])
    display.key("Return")
    wait_until(lambda: not [x for x in display.visible_windows(program.pid, "^Velmora 1\\.0$")
                            if x != w.id], 10, "the error box to close")

    w.read_menu_bar()
    w.click_menu(1)
    time.sleep(0.5)
    display.key("Down", "Return")
    about = wait_until(lambda: (titled(display, program, w, "О программе") or [None])[0], 15,
                       "the About window titled 'О программе'")
    w.click_centre(ENGLISH_BOX)
    wait_until(lambda: display.title(about) == "About the program", 30, "the English About title")
    w.click_centre(RUSSIAN_BOX)
    wait_until(lambda: display.title(about) == "О программе", 30, "the Russian About title")
    display.xdotool("windowunmap", about)

    w.choose_object(2, "Грузовик")
    truck = decode_picture(os.path.join(REPOSITORY, "dris", "2.jpg"))
    wait_until(lambda: shows_picture(w, w.grab("lower-lane")[0], 2, truck), 10,
               "the lorry from dris/2.jpg in the lower lane")
    program.close()


def shortcut_working_folder(path):
    """The working folder written in a Windows shortcut (.lnk) file."""
    with open(path, "rb") as f:
        data = f.read()
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = 0x4C
    if flags & 0x01:  # a list of item ids
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & 0x02:  # link information
        at += struct.unpack_from("<I", data, at)[0]
    unicode = bool(flags & 0x80)
    for bit in (0x04, 0x08, 0x10):  # name, relative path, working folder
        if not flags & bit:
            if bit == 0x10:
                return None
            continue
        count = struct.unpack_from("<H", data, at)[0]
        size = count * 2 if unicode else count
        text = data[at + 2:at + 2 + size].decode("utf-16-le" if unicode else "cp1252")
        at += 2 + size
        if bit == 0x10:
            return text.rstrip("\x00")  # Wine counts the closing NUL
    return None


def unix_path(prefix, windows_path):
    drive, rest = windows_path[0].lower(), windows_path[2:].lstrip("\\")
    check(drive == "c", f"{windows_path} is not on drive C:")
    return os.path.join(prefix, "drive_c", *rest.split("\\"))


def registry_has(prefix, key):
    return wine(prefix, "reg", "query", key, "/reg:64").returncode == 0


def files_outside_windows(drive):
    """Every file and folder of drive C: but Windows' own and the temporary folders."""
    found = set()
    for folder, subfolders, files in os.walk(drive):
        relative = os.path.relpath(folder, drive)
        if relative == ".":
            subfolders.remove("windows")
        subfolders[:] = [s for s in subfolders if s.lower() != "temp"]
        found.update(os.path.join(relative, name) for name in subfolders + files)
    return found


def scenario_installer(display, shots, args):
    """Silent install into Program Files; started from its shortcut's folder, and from a folder
    without dris\\, it shows a picked object's picture; the silent uninstall leaves nothing behind."""
    prefix = args.wineprefix
    drive = os.path.join(prefix, "drive_c")
    # A fresh Wine prefix, so that whatever is left behind shows.
    subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix), capture_output=True)
    shutil.rmtree(prefix, ignore_errors=True)
    check(wine(prefix, "wineboot", "-i", timeout=180).returncode == 0, "wineboot could not make a Wine prefix")
    before = files_outside_windows(drive)
    installed = wine(prefix, os.path.abspath(args.setup), "/S", timeout=180)
    check(installed.returncode == 0, f"the silent install ended with status {installed.returncode}")
    folder = os.path.join(drive, "Program Files", "Velmora")
    check(os.path.isfile(os.path.join(folder, "velmora.exe")), f"no velmora.exe in {folder}")
    check(os.path.isfile(os.path.join(folder, "dris", "2.jpg")), "no dris\\2.jpg in the install folder")
    check(sorted(os.listdir(folder)) == ["dris", "uninstall.exe", "velmora.exe"],
          f"the install folder holds {sorted(os.listdir(folder))}")
    check(registry_has(prefix, UNINSTALL_KEY), "no uninstaller is registered")
    menu = os.path.join(drive, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Velmora")
    shortcut = os.path.join(menu, "Velmora.lnk")
    check(os.path.isfile(shortcut), f"no Start-menu shortcut {shortcut}")
    working = shortcut_working_folder(shortcut)
    check(working is not None and working.lower() == r"c:\program files\velmora",
          f"the shortcut starts the program in {working!r}")

    cwd = unix_path(prefix, working)
    program = start(display, prefix, os.path.join(folder, "velmora.exe"), cwd,
                    os.path.join(shots.folder, "program-output.txt"))
    w = main_window(display, program, shots)
    w.choose_object(1, "Грузовик")
    truck = decode_picture(os.path.join(REPOSITORY, "dris", "2.jpg"))
    wait_until(lambda: shows_picture(w, w.grab("upper-lane")[0], 1, truck), 10,
               "the lorry from the installed dris\\2.jpg in the upper lane")
    check(other_windows(display, program, w) == [], "picking the lorry opened a box")
    program.close()

    # Started from a folder without dris\, it works in its own folder and still finds them.
    elsewhere = tempfile.mkdtemp(prefix="velmora-elsewhere-")
    try:
        program = start(display, prefix, os.path.join(folder, "velmora.exe"), elsewhere,
                        os.path.join(shots.folder, "program-output-elsewhere.txt"))
        w = main_window(display, program, shots)
        w.choose_object(1, "Трактор")
        tractor = decode_picture(os.path.join(REPOSITORY, "dris", "3.jpg"))
        wait_until(lambda: shows_picture(w, w.grab("started-elsewhere")[0], 1, tractor), 10,
                   "the tractor from the install folder's dris\\3.jpg, started elsewhere")
        program.close()
    finally:
        shutil.rmtree(elsewhere, ignore_errors=True)

    removed = wine(prefix, os.path.join(folder, "uninstall.exe"), "/S", timeout=120)
    check(removed.returncode == 0, f"the silent uninstall ended with status {removed.returncode}")
    # The uninstaller runs from a copy of itself and returns at once: wait for it.
    wait_until(lambda: not os.path.exists(folder) and not os.path.exists(menu), 60,
               "the install folder and the Start-menu folder to go")
    check(not registry_has(prefix, UNINSTALL_KEY), "the uninstaller is still registered")
    left = files_outside_windows(drive) - before
    check(not left, f"left behind on drive C: {sorted(left)}")


def make_screenshots(display, shots, args):
    """The main window during a run, the About window and the crib sheet, as PNG files."""
    program = start(display, args.wineprefix, os.path.abspath(args.program), REPOSITORY,
                    os.path.join(shots.folder, "program-output.txt"))
    w = main_window(display, program, shots)
    w.choose_object(2, "Мотоцикл")
    for field, text in (("t1", "2"), ("v1", "60"), ("t2", "2"), ("v2", "40")):
        w.type_into(field, text)
    w.press_start()
    time.sleep(3)
    targets = []

    def save(window, name):
        target = os.path.join(args.out, name)
        display.run("import", "-window", str(window), target)
        targets.append(target)
    save(w.id, "windows-main-window.png")
    w.read_menu_bar()
    w.click_menu(1)
    time.sleep(0.5)
    display.key("Down", "Return")
    about = wait_until(lambda: (other_windows(display, program, w) or [None])[0], 15, "the About window")
    time.sleep(1)
    save(about, "windows-about-window.png")
    display.xdotool("windowunmap", about)
    time.sleep(0.5)
    w.click_menu(0)
    crib = wait_until(lambda: ([x for x in other_windows(display, program, w) if x != about] or [None])[0],
                      15, "the crib sheet")
    time.sleep(1)
    save(crib, "windows-crib-sheet.png")
    program.close()
    return targets


SCENARIOS = {"lesson": scenario_lesson, "installer": scenario_installer}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("scenario", choices=[*SCENARIOS, "screenshots"])
    parser.add_argument("--program")
    parser.add_argument("--setup")
    parser.add_argument("--wineprefix", default=os.environ.get("WINEPREFIX"))
    parser.add_argument("--screenshots", default=os.path.join(tempfile.gettempdir(), "velmora-windows-e2e"))
    parser.add_argument("--out")
    args = parser.parse_args()
    missing = missing_tools() + [tool for tool in ("wine", "xclip") if shutil.which(tool) is None]
    if missing:
        print(f"SKIPPED: missing {', '.join(missing)} (tools/windows/build.sh installs them)")
        return SKIPPED
    if not args.wineprefix:
        parser.error("--wineprefix or WINEPREFIX is needed")
    args.wineprefix = os.path.abspath(args.wineprefix)

    display = shots = None
    failed = False
    try:
        display = Display()
        shots = Screenshots(display, os.path.join(args.screenshots, "windows-" + args.scenario))
        if args.scenario == "screenshots":
            for target in make_screenshots(display, shots, args):
                print(f"wrote {target}")
        else:
            SCENARIOS[args.scenario](display, shots, args)
            print(f"PASSED {args.scenario}: {SCENARIOS[args.scenario].__doc__}")
    except Exception as failure:
        failed = True
        report_failure(args.scenario, failure, shots, display)
    finally:
        for program in RUNNING:
            program.close()
        if shots is not None:
            shots.finish(failed)
        if display is not None:
            display.close()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
