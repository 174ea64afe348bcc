#!/usr/bin/env python3
"""End-to-end tests of the real program: each scenario starts a private X display,
runs the program on it, drives it with mouse and keyboard and checks what a pupil
sees, from the window system's answers and the screen's pixels.

    run_e2e.py --program build/velmora --screenshots build/e2e-screenshots calculation
    run_e2e.py --screenshots DIR installed --cmake cmake --build-dir build
    run_e2e.py --screenshots DIR installed --desktop-entry /usr/share/applications/velmora.desktop
    run_e2e.py --program build/velmora screenshots --out docs

Exit status: 0 passed, 1 failed (the grabs are kept as PNG and their paths printed),
77 skipped because a tool is missing.

The harness is this file: it reads the arguments, skips a scenario whose tools are
missing, prepares its display, program and pictures and reports the run. The scenarios
are in the scenarios_*.py files, grouped by what they drive."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ beside the sources

import orca
import scenarios_installed
import scenarios_lesson
import scenarios_pictures
import scenarios_reader
import scenarios_windows
import screen_reader
from lesson import MainWindow
from scenarios_installed import installed_program
from scenarios_pictures import HOSTILE_LANE_FILES, LARGE_LANE_FILES, prepare_pictures_folder
from scenarios_windows import make_screenshots
from session import LOCALES, MANAGED, REPOSITORY, SCALED, TITLE, Session
from xsession import SCREEN_SIZE, CheckFailed, Display, Program, Screenshots, missing_tools, report_failure

SKIPPED = 77

SCENARIOS = {**scenarios_lesson.SCENARIOS, **scenarios_windows.SCENARIOS, **scenarios_installed.SCENARIOS,
             **scenarios_reader.SCENARIOS, **scenarios_pictures.SCENARIOS}


def locale_installed(name):
    listed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split()
    normal = (lambda n: n.lower().replace("-", ""))
    return normal(name) in {normal(n) for n in listed}



def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("scenario", choices=[*SCENARIOS, "screenshots"])
    parser.add_argument("--program", help="the built program")
    parser.add_argument("--screenshots", default=os.path.join(tempfile.gettempdir(), "velmora-e2e"),
                        help="where the grabs of a failing run are kept")
    parser.add_argument("--cmake", help="installed: cmake, to install the build into a staging folder")
    parser.add_argument("--build-dir", help="installed: the build to install")
    parser.add_argument("--desktop-entry", help="installed: an already installed desktop entry")
    parser.add_argument("--out", help="screenshots: the folder for the README pictures")
    parser.add_argument("--hostile-maker", help="hostile_pictures, large_pictures: the make_hostile_pictures tool")
    args = parser.parse_args()

    missing = missing_tools()
    if args.scenario in MANAGED and shutil.which("openbox") is None:
        missing.append("openbox")
    installing = args.scenario.startswith("installed")
    if installing:
        missing += [t for t in ("desktop-file-validate", "appstreamcli") if shutil.which(t) is None]
    if missing:
        print(f"SKIPPED: missing {', '.join(missing)} (tools/setup-debian.sh --tests installs them)")
        return SKIPPED
    if args.scenario == "spoken" and orca.missing():
        print(f"SKIPPED: Orca cannot run here: {orca.missing()}")
        return SKIPPED
    if args.scenario == "spoken" and not orca.wait_for_others():
        print("SKIPPED: another Orca of this user kept running, and Orca runs once per user")
        return SKIPPED
    if args.scenario in ("screen_reader", "spoken") and not (screen_reader.available() and os.environ.get("DBUS_SESSION_BUS_ADDRESS")):
        print("SKIPPED: needs python3-pyatspi and a D-Bus session with the accessibility bus on "
              "(tests/run_with_screen_reader_bus.sh)")
        return SKIPPED
    wanted_locale = LOCALES.get(args.scenario)
    if wanted_locale and not locale_installed(wanted_locale):
        print(f"SKIPPED: the locale {wanted_locale} is not installed (tools/setup-debian.sh installs it)")
        return SKIPPED

    if args.scenario == "pasted_text" and shutil.which("xclip") is None:
        print("SKIPPED: missing xclip (tools/setup-debian.sh --tests installs it)")
        return SKIPPED
    if args.scenario in ("hostile_pictures", "large_pictures") and not args.hostile_maker:
        parser.error(f"{args.scenario} needs --hostile-maker")
    staging = tempfile.mkdtemp(prefix="velmora-staging-") if installing else None
    # The scenarios of hostile and large pictures run in their own copy of dris/.
    own_pictures = None
    if args.scenario == "hostile_pictures":
        own_pictures = prepare_pictures_folder(args.hostile_maker, HOSTILE_LANE_FILES)
    elif args.scenario == "large_pictures":
        own_pictures = prepare_pictures_folder(args.hostile_maker, LARGE_LANE_FILES, "--large")
    try:
        return run(args, parser, staging, wanted_locale, own_pictures)
    finally:
        for folder in (staging, own_pictures):
            if folder is not None:
                shutil.rmtree(folder, ignore_errors=True)


def run(args, parser, staging, wanted_locale, own_pictures):
    if staging is not None:
        entry = args.desktop_entry
        if entry is None:
            if not (args.cmake and args.build_dir):
                parser.error("installed needs --desktop-entry, or --cmake and --build-dir")
            installed = subprocess.run([args.cmake, "--install", args.build_dir, "--prefix", staging],
                                       capture_output=True, text=True)
            if installed.returncode != 0:
                print(f"FAILED installed: cmake --install failed:\n{installed.stdout}{installed.stderr}")
                return 1
            entry = os.path.join(staging, "share", "applications", "velmora.desktop")
        try:
            argv, pictures = installed_program(entry)
        except (CheckFailed, OSError) as failure:
            print(f"FAILED installed: {failure}")
            return 1
        cwd = pictures
        if args.scenario == "installed_elsewhere":  # as from a terminal in the home folder
            cwd = os.path.join(staging, "home")
            os.mkdir(cwd)
    else:
        if not args.program:
            parser.error("--program is needed")
        argv, cwd = [os.path.abspath(args.program)], own_pictures or REPOSITORY
        pictures = cwd

    folder = os.path.join(args.screenshots, args.scenario)
    display = program = shots = listener = None
    failed = False
    try:
        scale, screen = SCALED.get(args.scenario, (None, SCREEN_SIZE))
        environment = {}
        if wanted_locale:
            environment["LC_ALL"] = wanted_locale
        if scale:
            environment["QT_SCALE_FACTOR"] = scale
        display = Display(screen, window_manager=args.scenario in MANAGED)
        shots = Screenshots(display, folder)
        if args.scenario == "spoken":
            # Orca first, in the pupil's language, so that it hears the program start.
            listener = orca.Orca(display, "ru_RU.UTF-8" if locale_installed("ru_RU.UTF-8") else "C.UTF-8")
            listener.wait_ready()
        program = Program(display, argv, cwd, os.path.join(folder, "program-output.txt"), environment)
        window = MainWindow(display, program, shots, program.wait_for_main_window(TITLE))
        window.settle(int(scale or 1))
        session = Session(display, shots, program, window, pictures)
        session.orca = listener
        if args.scenario == "screenshots":
            for target in make_screenshots(session, args.out or os.path.join(REPOSITORY, "docs")):
                print(f"wrote {target}")
        else:
            SCENARIOS[args.scenario](session)
            print(f"PASSED {args.scenario}: {SCENARIOS[args.scenario].__doc__}")
    except Exception as failure:  # a check, a tool or the program itself: all end the run as failed
        failed = True
        report_failure(args.scenario, failure, shots, display)
    finally:
        if program is not None:
            program.close()
        if listener is not None:
            listener.close()
            if failed:
                listener.keep(folder)
                print(f"Orca's speech and debug file: {folder}")
            listener.discard()
        if shots is not None:
            shots.finish(failed)
        if display is not None:
            display.close()
    return 1 if failed else 0

if __name__ == "__main__":
    sys.exit(main())
