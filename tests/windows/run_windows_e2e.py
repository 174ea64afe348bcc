#!/usr/bin/env python3
"""The Windows program under Wine on a private X display, driven with xdotool.

    run_windows_e2e.py lesson --program build-windows/velmora.exe --screenshots DIR
    run_windows_e2e.py installer --setup build-windows/velmora-1.0-setup.exe --screenshots DIR
    run_windows_e2e.py msi --msi build-windows/velmora-1.0.msi --screenshots DIR
    run_windows_e2e.py screenshots --program build-windows/velmora.exe --out docs
    run_windows_e2e.py installer-screenshots --setup build-windows/velmora-1.0-setup.exe --out DIR

Wine runs in its own prefix (WINEPREFIX, made on first use). Exit status: 0 passed,
1 failed (grabs kept as PNG), 77 skipped because Wine or an X tool is missing."""

import argparse
import getpass
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
from setup_wizard import LANGUAGE_DIALOG, SETUP_TITLES, UNINSTALL_TITLES, Wizard, picture, windows_named  # noqa: E402
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


def registry_value(prefix, key, name):
    shown = wine(prefix, "reg", "query", key, "/v", name, "/reg:64").stdout.decode(errors="replace")
    for line in shown.splitlines():
        fields = line.split(None, 2)
        if len(fields) == 3 and fields[0] == name:
            return fields[2].strip()
    return None


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


def fresh_prefix(prefix):
    """A new Wine prefix, so that whatever an install leaves behind shows."""
    subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix), capture_output=True)
    shutil.rmtree(prefix, ignore_errors=True)
    check(wine(prefix, "wineboot", "-i", timeout=180).returncode == 0, "wineboot could not make a Wine prefix")
    return os.path.join(prefix, "drive_c")


MENU = os.path.join("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Velmora")
PROGRAM_FILES = r"C:\Program Files\Velmora"
OURS = ["LICENSE.txt", "THIRD-PARTY-NOTICES.txt", "dris", "uninstall.exe", "velmora.exe"]
LONG_AGO = 978307200  # 2001-01-01: an installed file stamped so is told from a newly written one


def check_installed(prefix, windows_folder, files=OURS, menu=MENU):
    """The program, its pictures and licences in the folder, and a Start-menu shortcut that
    starts it there; returns the folder on the Linux side."""
    folder = unix_path(prefix, windows_folder)
    check(sorted(os.listdir(folder)) == sorted(files), f"{windows_folder} holds {sorted(os.listdir(folder))}")
    check(os.path.isfile(os.path.join(folder, "dris", "2.jpg")), "no dris\\2.jpg in the install folder")
    shortcut = os.path.join(prefix, "drive_c", menu, "Velmora.lnk")
    check(os.path.isfile(shortcut), f"no Start-menu shortcut {shortcut}")
    working = shortcut_working_folder(shortcut)
    check(working is not None and working.rstrip("\\").lower() == windows_folder.lower(),
          f"the shortcut starts the program in {working!r}, not {windows_folder}")
    return folder


def check_registered(prefix, windows_folder):
    check(registry_has(prefix, UNINSTALL_KEY), "no uninstaller is registered")
    location = registry_value(prefix, UNINSTALL_KEY, "InstallLocation")
    check(location == windows_folder, f"the uninstall entry names {location!r}, not {windows_folder}")
    size = registry_value(prefix, UNINSTALL_KEY, "EstimatedSize")
    check(size is not None and int(size, 16) > 10000, f"the uninstall entry's EstimatedSize is {size!r}")


def uninstall_silently(prefix, folder):
    """Runs the uninstaller and waits for it (it returns at once and works from a copy)."""
    removed = wine(prefix, os.path.join(folder, "uninstall.exe"), "/S", timeout=120)
    check(removed.returncode == 0, f"the silent uninstall ended with status {removed.returncode}")
    wait_until(lambda: not registry_has(prefix, UNINSTALL_KEY), 60, "the uninstaller to unregister itself")
    wait_until(lambda: not os.path.exists(os.path.join(folder, "uninstall.exe")), 30, "uninstall.exe to go")


def start_installed(display, shots, prefix, folder, cwd, label):
    """The installed program, started in `cwd`, shows the lorry of the installed dris\\2.jpg."""
    program = start(display, prefix, os.path.join(folder, "velmora.exe"), cwd,
                    os.path.join(shots.folder, f"program-output-{label}.txt"))
    w = main_window(display, program, shots)
    w.choose_object(1, "Грузовик")
    truck = decode_picture(os.path.join(REPOSITORY, "dris", "2.jpg"))
    wait_until(lambda: shows_picture(w, w.grab(label)[0], 1, truck), 10,
               f"the lorry from the installed dris\\2.jpg, started in {cwd}")
    check(other_windows(display, program, w) == [], "picking the lorry opened a box")
    return program


def cancel_upgrade_while_running(display, shots, prefix, setup, exe):
    """The Russian installer, run while the program runs, asks to close it; Cancel ends the
    install with the old program in place and no finish page."""
    os.utime(exe, (LONG_AGO, LONG_AGO))
    wizard = Wizard(display, WINE, prefix, [setup], "ru", os.path.join(shots.folder, "setup-output.txt"))
    try:
        wizard.wait_for(SETUP_TITLES["ru"])
        for page in ("welcome", "licence", "folder", "components"):
            wizard.press("Return")
        box = wizard.message_box()
        shots.grab("asked-to-close-velmora")
        wizard.answer(box, "Escape")
        wizard.settle()
        shots.grab("upgrade-cancelled")
        # The page offers no "Next" to a finish page: Return closes the installer, reporting the abort.
        wizard.press("Return", changes=False)
        status = wizard.finish(30)
        check(status == 2, f"the cancelled install ended with status {status}, not 2 (aborted)")
    finally:
        wizard.close()
    check(os.path.getmtime(exe) == LONG_AGO, "the cancelled upgrade replaced velmora.exe")


def scenario_installer(display, shots, args):
    """Silent install into Program Files, started from its shortcut's folder and from elsewhere;
    an upgrade while it runs asks to close it and, cancelled, leaves it; a silent upgrade keeps
    a teacher's changed picture, and the uninstall leaves only the teacher's pictures; a
    reinstall goes into the custom folder of the last install; an old Windows is refused."""
    prefix = args.wineprefix
    setup = os.path.abspath(args.setup)
    drive = fresh_prefix(prefix)
    before = files_outside_windows(drive)
    installed = wine(prefix, setup, "/S", timeout=180)
    check(installed.returncode == 0, f"the silent install ended with status {installed.returncode}")
    folder = check_installed(prefix, PROGRAM_FILES)
    check_registered(prefix, PROGRAM_FILES)

    program = start_installed(display, shots, prefix, folder, folder, "upper-lane")
    cancel_upgrade_while_running(display, shots, prefix, setup, os.path.join(folder, "velmora.exe"))
    refused = wine(prefix, setup, "/S", timeout=180)
    check(refused.returncode == 2, f"a silent upgrade while the program runs ended with status {refused.returncode}")
    program.close()
    # Started from a folder without dris\, it works in its own folder and still finds them.
    elsewhere = tempfile.mkdtemp(prefix="velmora-elsewhere-")
    try:
        start_installed(display, shots, prefix, folder, elsewhere, "started-elsewhere").close()
    finally:
        shutil.rmtree(elsewhere, ignore_errors=True)

    # A teacher's own picture, and another picture in place of one of ours.
    dris = os.path.join(folder, "dris")
    own, changed = os.path.join(dris, "Мой автобус.jpg"), os.path.join(dris, "5.jpg")
    shutil.copyfile(os.path.join(REPOSITORY, "dris", "6.jpg"), own)
    shutil.copyfile(os.path.join(REPOSITORY, "dris", "6.jpg"), changed)
    upgraded = wine(prefix, setup, "/S", timeout=180)
    check(upgraded.returncode == 0, f"the silent upgrade ended with status {upgraded.returncode}")
    check(os.path.getmtime(os.path.join(folder, "velmora.exe")) != LONG_AGO, "the upgrade kept the old velmora.exe")
    with open(changed, "rb") as mine, open(os.path.join(REPOSITORY, "dris", "6.jpg"), "rb") as six:
        check(mine.read() == six.read(), "the upgrade overwrote the teacher's dris\\5.jpg")
    uninstall_silently(prefix, folder)
    kept = sorted(os.path.relpath(os.path.join(d, f), folder) for d, _, fs in os.walk(folder) for f in fs)
    check(kept == sorted([os.path.join("dris", "5.jpg"), os.path.join("dris", "Мой автобус.jpg")]),
          f"the uninstall left {kept}, not just the teacher's two pictures")
    check(not os.path.exists(os.path.join(drive, MENU)), "the Start-menu folder is still there")
    shutil.rmtree(folder)

    # Installed into a custom folder, a reinstall goes there again.
    school = r"C:\School\Velmora"
    check(wine(prefix, setup, "/S", "/D=" + school, timeout=180).returncode == 0, "the install into C:\\School failed")
    custom = check_installed(prefix, school)
    os.utime(os.path.join(custom, "velmora.exe"), (LONG_AGO, LONG_AGO))
    check(wine(prefix, setup, "/S", timeout=180).returncode == 0, "the reinstall failed")
    check(os.path.getmtime(os.path.join(custom, "velmora.exe")) != LONG_AGO, "the reinstall did not go into C:\\School")
    check(not os.path.exists(folder), "the reinstall went into Program Files")
    check_registered(prefix, school)
    uninstall_silently(prefix, custom)
    wait_until(lambda: not os.path.exists(custom), 30, "the custom folder to go")
    os.rmdir(os.path.dirname(custom))  # C:\School is the test's
    left = files_outside_windows(drive) - before
    check(not left, f"left behind on drive C: {sorted(left)}")

    # Windows 8.1 is refused, and nothing is installed.
    check(wine(prefix, "winecfg", "/v", "win81").returncode == 0, "winecfg could not report Windows 8.1")
    refused = wine(prefix, setup, "/S", timeout=180)
    check(refused.returncode == 2 and not os.path.exists(folder),
          f"on Windows 8.1 the installer ended with status {refused.returncode}")


def msi_registered(prefix):
    entries = wine(prefix, "reg", "query", r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall", "/s", "/reg:64")
    return "Velmora 1.0" in entries.stdout.decode(errors="replace")


def scenario_msi(display, shots, args):
    """The MSI installs silently into Program Files with a Start-menu shortcut that starts the
    program in its folder, uninstalls silently leaving nothing, and refuses Windows 8.1."""
    prefix = args.wineprefix
    msi = os.path.abspath(args.msi)
    drive = fresh_prefix(prefix)
    before = files_outside_windows(drive)
    installed = wine(prefix, "msiexec", "/i", msi, "/qn", timeout=300)
    check(installed.returncode == 0, f"msiexec /i /qn ended with status {installed.returncode}")
    # Wine's msiexec puts even a per-machine install's Start-menu folder into the user's
    # profile (Windows puts it into ProgramData, as the NSIS installer does).
    users_menu = os.path.join("users", getpass.getuser(), "AppData", "Roaming", "Microsoft", "Windows",
                              "Start Menu", "Programs", "Velmora")
    folder = check_installed(prefix, PROGRAM_FILES, [name for name in OURS if name != "uninstall.exe"], users_menu)
    check(msi_registered(prefix), "the MSI made no uninstall entry")
    start_installed(display, shots, prefix, folder, folder, "from-the-msi").close()
    removed = wine(prefix, "msiexec", "/x", msi, "/qn", timeout=300)
    check(removed.returncode == 0, f"msiexec /x /qn ended with status {removed.returncode}")
    check(not msi_registered(prefix), "the uninstall entry is still there")
    left = files_outside_windows(drive) - before
    check(not left, f"left behind on drive C: {sorted(left)}")
    check(not registry_has(prefix, r"HKLM\Software\Velmora"), "HKLM\\Software\\Velmora is still there")

    check(wine(prefix, "winecfg", "/v", "win81").returncode == 0, "winecfg could not report Windows 8.1")
    refused = wine(prefix, "msiexec", "/i", msi, "/qn", timeout=300)
    check(refused.returncode != 0 and not os.path.exists(folder),
          f"on Windows 8.1 msiexec ended with status {refused.returncode}")


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


def make_installer_screenshots(display, shots, args):
    """Every page of the installer and the uninstaller, in Russian and in English, with the
    box that asks for a running Velmora to be closed and the refusal of an old Windows."""
    setup = os.path.abspath(args.setup)
    targets = []
    for language in ("ru", "en"):
        prefix = f"{args.wineprefix}-{language}"
        fresh_prefix(prefix)
        step = [0]

        def save(wizard, page, window=None):
            step[0] += 1
            target = os.path.join(args.out, f"installer-{language}-{step[0]:02d}-{page}.png")
            display.run("import", "-window", str(window or wizard.window), target)
            targets.append(target)

        def run(argv):
            return Wizard(display, WINE, prefix, argv, language, os.path.join(shots.folder, "setup-output.txt"))

        wizard = run([setup])
        if language != "ru":  # any Windows but a Russian one is asked for the language
            wizard.wait_for(LANGUAGE_DIALOG)
            save(wizard, "language")
            wizard.press("Return", changes=False)
        wizard.wait_for(SETUP_TITLES[language])
        for page in ("welcome", "licence", "folder"):
            save(wizard, page)
            wizard.press("Return")
        save(wizard, "components")
        components = picture(display, wizard.window)
        wizard.press("Return", changes=False)
        wait_until(lambda: picture(display, wizard.window) != components, 30, "the progress page", interval=0.1)
        time.sleep(0.5)  # the page's controls are drawn after its heading
        save(wizard, "installing")
        wizard.settle(120)  # the progress page goes on to the finish page by itself
        save(wizard, "finish")
        wizard.press("Return", changes=False)
        check(wizard.finish(60) == 0, "the installer did not end with success")
        # "Start Velmora now" was ticked: the program runs.
        wait_until(lambda: windows_named(display, "^Velmora 1\\.0$"), 90, "Velmora, started by the finish page")

        wizard = run([setup])
        wizard.wait_for(SETUP_TITLES[language])
        for page in range(4):
            wizard.press("Return")
        box = wizard.message_box()
        save(wizard, "velmora-is-running", box)
        wizard.answer(box, "Escape")
        wizard.settle()
        save(wizard, "cancelled")
        wizard.press("Return", changes=False)
        check(wizard.finish(60) == 2, "the cancelled install did not end as aborted")
        wine(prefix, "taskkill", "/im", "velmora.exe", "/f")
        wait_until(lambda: not windows_named(display, "^Velmora 1\\.0$"), 30, "Velmora to close")

        uninstaller = os.path.join(unix_path(prefix, PROGRAM_FILES), "uninstall.exe")
        wizard = run([uninstaller])
        wizard.wait_for(UNINSTALL_TITLES[language])
        save(wizard, "uninstall-confirm")
        wizard.press("Return")
        wizard.settle(120)
        save(wizard, "uninstalled")
        wizard.press("Return", changes=False)

        check(wine(prefix, "winecfg", "/v", "win81").returncode == 0, "winecfg could not report Windows 8.1")
        wizard = run([setup])
        save(wizard, "old-windows-refused", wizard.wait_for("^(Установка Velmora 1\\.0|Velmora 1\\.0 Setup)$"))
        wizard.press("Return", changes=False)
        check(wizard.finish(60) == 2, "the installer did not refuse Windows 8.1")
    return targets


SCENARIOS = {"lesson": scenario_lesson, "installer": scenario_installer, "msi": scenario_msi}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("scenario", choices=[*SCENARIOS, "screenshots", "installer-screenshots"])
    parser.add_argument("--program")
    parser.add_argument("--setup")
    parser.add_argument("--msi")
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
        if args.scenario in ("screenshots", "installer-screenshots"):
            make = make_screenshots if args.scenario == "screenshots" else make_installer_screenshots
            for target in make(display, shots, args):
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
