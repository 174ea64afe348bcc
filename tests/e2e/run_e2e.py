#!/usr/bin/env python3
"""End-to-end tests of the real program: each scenario starts a private X display,
runs the program on it, drives it with mouse and keyboard and checks what a pupil
sees, from the window system's answers and the screen's pixels.

    run_e2e.py --program build/velmora --screenshots build/e2e-screenshots calculation
    run_e2e.py --screenshots DIR installed --cmake cmake --build-dir build
    run_e2e.py --screenshots DIR installed --desktop-entry /usr/share/applications/velmora.desktop
    run_e2e.py --program build/velmora screenshots --out docs

Exit status: 0 passed, 1 failed (the grabs are kept as PNG and their paths printed),
77 skipped because a tool is missing."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import types

sys.dont_write_bytecode = True  # no __pycache__ beside the sources

import lesson
import orca
import screen_reader
from lesson import (ENGLISH_BOX, RUSSIAN_BOX, TOWARDS_BOX, CarTracker, MainWindow, follow_run,
                    pixels_per_tick, wait_for_picture_at)
from pictures import best_match, decode_picture, is_car_red
from xsession import (SCREEN_SIZE, CheckFailed, Display, Program, Screenshots, check, missing_tools,
                      report_failure, wait_until)

SKIPPED = 77
TITLE = "Velmora 1.0"
REPOSITORY = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# Mean channel difference below which a shown picture counts as its file (JPEG
# decoders may differ in the last bit); another picture differs by far more.
SAME_PICTURE = 6.0


class Session:
    """One program on one private display."""

    def __init__(self, display, shots, program, window, pictures):
        self.display = display
        self.shots = shots
        self.program = program
        self.window = window
        self.pictures = pictures  # the folder holding dris/

    def picture(self, name):
        return decode_picture(os.path.join(self.pictures, "dris", name))

    def other_windows(self):
        """The program's mapped, titled windows other than the main window."""
        return [w for w in self.display.visible_windows(self.program.pid) if w != self.window.id]

    def wait_for_new_window(self, known, what):
        def appeared():
            fresh = [w for w in self.other_windows() if w not in known]
            return fresh[0] if fresh else None
        return wait_until(appeared, 5, what)


def builtin_car():
    """The car the upper lane shows before any object is chosen; built into the program."""
    return decode_picture(os.path.join(REPOSITORY, "resources", "car.jpg"))


def shows_picture(session, raster, row, left, picture):
    x, y = session.window.picture_origin(row, left, picture)
    return best_match(raster, picture, x, y) < SAME_PICTURE


def lane_is_empty(session, raster, row):
    lane = session.window.lane(raster, row).crop(3, 3, 694, 98)
    return lane.count(lambda r, g, b: min(r, g, b) < 200) == 0


def fill_two_lanes(window):
    """Row 1: t = 1, v = 100 (s = 100, 10 px a tick); row 2: t = 1, v = 60 (s = 60, 6 px)."""
    window.type_into("t1", "1")
    window.type_into("v1", "100")
    window.type_into("t2", "1")
    window.type_into("v2", "60")


# Scenarios. Each gets a running program whose main window is showing.

def scenario_window(s):
    """Title, size, place and first look of the main window; the menu ends the program from the keyboard."""
    d, w = s.display, s.window
    check(d.title(w.id) == TITLE, f"main window title is {d.title(w.id)!r}")
    check(d.is_top_level(w.id), "the main window is not a top-level window")
    check(w.width == lesson.CLIENT_SIZE[0], f"window width {w.width}, expected 919")
    check(15 <= w.menu_height <= 40,
          f"window height {w.height} leaves {w.menu_height} px for the menu bar above the 363 px client area")
    minimum, maximum = d.size_hints(w.id)
    check(minimum == maximum == (w.width, w.height),
          f"the window can be resized: minimum {minimum}, maximum {maximum}, size {(w.width, w.height)}")
    centre = (w.x + w.width / 2, w.y + w.height / 2)
    check(abs(centre[0] - SCREEN_SIZE[0] / 2) <= 1 and abs(centre[1] - SCREEN_SIZE[1] / 2) <= 1,
          f"the window is not centred: its centre is at {centre} on a {SCREEN_SIZE} screen")
    check(s.other_windows() == [], "the About window or the crib sheet shows at start")

    raster, _ = w.grab("start")
    car = builtin_car()
    check(shows_picture(s, raster, 1, 1, car), "the upper lane does not show the red car at left 1")
    check(lane_is_empty(s, raster, 2), "the lower lane is not empty at start")
    w.read_menu_bar()

    # Alt opens the menu bar from the keyboard; the third item is "Выход".
    w.focus()
    d.key("alt")
    time.sleep(0.3)
    d.key("Right", "Right", "Return")
    status = s.program.wait_for_exit(10)
    check(status == 0, f"exit status {status} after Выход from the keyboard")


def scenario_calculation(s):
    """t = 3 and v = 60 typed with the keyboard give s = 180; the car runs 6 px a tick and stops at 558."""
    d, w = s.display, s.window
    car = CarTracker(w, 1, builtin_car())

    def painted():  # on a busy machine the window may be mapped a moment before its first paint
        raster, _ = w.grab("before")
        return raster if car.left(raster) is not None else None
    before = wait_until(painted, 10, "the car in the upper lane")
    check(car.left(before) == 1, f"the car stands at {car.left(before)} before the start, expected 1")
    blank = w.field(before, "s1")

    # v first, then Tab through s to t; then on to the lower row's s, where 180 is
    # typed as the reference of how the field shows that number.
    w.type_into("v1", "60")
    d.key("Tab", "Tab")
    d.type("3")
    d.key("Tab", "Tab", "Tab")
    d.type("180")
    w.press_start()
    pressed = time.monotonic()
    samples = follow_run(w, {1: car})

    after, _ = w.grab("after")
    shown = w.field(after, "s1")
    check(shown.differing_pixels(blank) > 0, "the s field stayed empty after the start")
    differing = shown.differing_pixels(w.field(after, "s2"))
    check(differing == 0, f"the s field does not show 180: {differing} pixels differ from a field holding 180")

    lefts = [lefts[1] for _, lefts in samples]
    check(None not in lefts, "the car left the upper lane during the run")
    check(lefts[-1] == 558, f"the car stopped at {lefts[-1]}, expected 558")
    wrong = sorted({x for x in lefts if x != 1 and x % 6 != 0})
    check(not wrong, f"the car stood at {wrong}: not multiples of the 6 px step")
    check(all(a <= b for a, b in zip(lefts[1:], lefts[2:])), f"the car went backwards: {lefts}")
    speed = pixels_per_tick(samples, 1, 1, 558)
    check(3.0 <= speed <= 7.5, f"the car moved {speed:.2f} px per 100 ms, expected about 6")
    print(f"the car moved {speed:.2f} px per 100 ms, measured over {len(samples)} grabs")
    arrival = next(t for t, l in samples if l[1] == 558)
    check(arrival - pressed >= 8.0,
          f"the car reached 558 {arrival - pressed:.1f} s after the start; 93 ticks of 100 ms take 9.3 s")


def scenario_two_lanes(s):
    """Two objects scaled to each other: the longer distance runs the track, the shorter stops earlier."""
    w = s.window
    w.choose_object(2, "Автомобиль")
    upper, lower = CarTracker(w, 1, builtin_car()), CarTracker(w, 2, s.picture("1.jpg"))
    # The lower timer runs from start with step 0, pinning the new picture at left 0.
    wait_for_picture_at(w, lower, 0)
    fill_two_lanes(w)
    w.press_start()
    samples = follow_run(w, {1: upper, 2: lower})

    final = samples[-1][1]
    check(final == {1: 560, 2: 336}, f"the pictures stopped at {final}, expected upper 560 and lower 336 "
                                     "(limits 555 and 333 = 60/100 of the track)")
    moving = [l for _, l in samples if 1 < l[1] < 560 and 0 < l[2] < 336]
    check(moving, "no grab caught both pictures moving at once")
    for _, l in samples:
        check(l[1] is not None and l[2] is not None, f"a picture left its lane: {l}")
        check(l[1] in (1, 0) or l[1] % 10 == 0, f"the upper picture stood at {l[1]}: not a multiple of its 10 px step")
        check(l[2] % 6 == 0, f"the lower picture stood at {l[2]}: not a multiple of its 6 px step")
        ticks_upper, ticks_lower = l[1] // 10, l[2] // 6
        # Each lane has its own 100 ms timer, and a busy machine makes each lose a tick
        # now and then, not both the same ones.
        check(abs(ticks_upper - ticks_lower) <= 3,
              f"the lanes are out of step: upper at {l[1]} ({ticks_upper} ticks), lower at {l[2]} ({ticks_lower} ticks)")
    check(3.0 <= pixels_per_tick(samples, 2, 0, 336) <= 7.5, "the lower picture does not move about 6 px per 100 ms")


def scenario_towards(s):
    """With "<=" checked the lower object starts at the right edge and comes towards the upper one."""
    w = s.window
    w.click_centre(TOWARDS_BOX)
    time.sleep(0.3)
    w.choose_object(2, "Автомобиль")  # its picture faces left in this mode
    upper, lower = CarTracker(w, 1, builtin_car()), CarTracker(w, 2, s.picture("101.jpg"))
    wait_for_picture_at(w, lower, lesson.TRACK)
    raster, _ = w.grab("towards-at-rest")
    check(shows_picture(s, raster, 2, lesson.TRACK, s.picture("101.jpg")),
          "the lower lane does not show the left-facing car at the right edge")
    fill_two_lanes(w)
    w.press_start()
    samples = follow_run(w, {1: upper, 2: lower})

    final = samples[-1][1]
    check(final == {1: 560, 2: lesson.TRACK - 336},
          f"the pictures stopped at {final}, expected upper 560 and lower {lesson.TRACK - 336}")
    lefts = [l[2] for _, l in samples]
    check(None not in lefts, "the lower picture left its lane")
    check(all(a >= b for a, b in zip(lefts, lefts[1:])), f"the lower picture did not keep moving left: {lefts}")
    wrong = sorted({x for x in lefts if (lesson.TRACK - x) % 6 != 0})
    check(not wrong, f"the lower picture stood at {wrong}: not 555 less a multiple of 6")
    check(any(lesson.TRACK - 336 < x < lesson.TRACK for x in lefts), "no grab caught the lower picture on its way")


def scenario_typed_object(s):
    """An object's name typed into a list before any choice: no box on the way, then the lane shows the object."""
    w = s.window
    yacht = s.picture("6.jpg")
    # The English name, which the Russian list takes as well: xdotool types letters the
    # keyboard map lacks by remapping a key for a moment, and a busy program may read
    # the key after the map is back. "Y", "Ya", "Yac" and "Yach" name nothing.
    w.type_object_name(1, "Yacht")

    def shows_yacht():
        if s.other_windows():
            raise CheckFailed("a box opened while the name was typed")
        raster, _ = w.grab("yacht")
        return shows_picture(s, raster, 1, 1, yacht)
    wait_until(shows_yacht, 5, "the yacht in the upper lane after typing its name")
    time.sleep(0.3)
    check(s.other_windows() == [], "a box opened after the name was typed")


def scenario_error_box(s):
    """A bad text opens the error box as its own window; the run goes on behind it and after OK."""
    d, w = s.display, s.window
    car = CarTracker(w, 1, builtin_car())
    blank, _ = w.grab("blank")
    w.type_into("t1", "3")
    w.type_into("v1", "60")
    w.type_into("t2", "abc")
    w.type_into("v2", "5")
    typed, _ = w.grab("typed")
    w.press_start()  # row 1 starts its run, then row 2's "abc" fails

    def error_boxes():
        return [x for x in d.visible_windows(s.program.pid, "^Velmora 1\\.0$") if x != w.id]
    boxes = wait_until(error_boxes, 5, "an error box titled 'Velmora 1.0'")
    check(len(boxes) == 1, f"expected one error box, found {len(boxes)}")
    box = boxes[0]
    check(d.is_top_level(box), "the error box is not a top-level window of its own")
    _, _, bw, bh = d.geometry(box)
    check(bw < w.width and bh < w.height, f"the error box is {bw} x {bh}, as large as the main window")
    box_raster, _ = s.shots.grab("box", box)
    check(box_raster.count(lambda r, g, b: r > 150 and g < 90 and b < 90) >= 30, "the error box shows no stop icon")

    first, _ = w.grab("behind-box-1")
    time.sleep(0.5)
    second, _ = w.grab("behind-box-2")
    a, b = car.left(first), car.left(second)
    check(a is not None and b is not None and b > a, f"the car did not move behind the error box: {a} then {b}")

    d.focus(box)
    d.key("Return")
    wait_until(lambda: box not in d.visible_windows(s.program.pid), 5, "the error box to close after Enter")
    time.sleep(0.3)
    third, _ = w.grab("after-box-1")
    time.sleep(0.5)
    fourth, _ = w.grab("after-box-2")
    c, e = car.left(third), car.left(fourth)
    check(c is not None and e is not None and e > c, f"the run did not go on after OK: {c} then {e}")
    check(c >= b, f"closing the box sent the car back: it stood at {b} behind the box and at {c} after OK")
    check(w.field(fourth, "s2").differing_pixels(w.field(blank, "s2")) == 0, "the lower s field is no longer empty")
    check(w.field(fourth, "t2").differing_pixels(w.field(typed, "t2")) == 0, "the bad text was changed")
    check(w.field(fourth, "s1").differing_pixels(w.field(blank, "s1")) > 0, "the upper row was not completed")


# Files a teacher's folder might hold, put in place of the upper lane's pictures, in the
# order they are chosen (the car, chosen at start, comes last); None where the file is
# refused and an error box must open.
HOSTILE_LANE_FILES = [
    ("Грузовик", "forged_gray.jpg", None),       # grayscale, claims 16000 x 16000
    ("Трактор", "no_row.jpg", None),             # fails before its first row
    ("Мотоцикл", "many_scans.jpg", None),        # 4000 x 4000, 20000 scans
    ("Турист", "huge.jpg", None),                # 2 GB
    ("Яхта", "cmyk_red.jpg", "red"),
    ("Корабль", "many_scans_gray.jpg", None),    # 8000 x 8000 grayscale, 20000 scans
    ("Самолет", "large_progressive.jpg", "red"),  # 7000 x 7000, valid
    ("Вертолет", "ycck_red.jpg", "red"),
    ("Воздушный шар", "forged_cmyk.jpg", None),
    ("Робот", "forged_progressive.jpg", None),
    ("Автомобиль", "forged_colour.jpg", None),   # claims 60000 x 60000
]
# A picture may take its bitmap (the cap, 256 MiB) and twice that for libjpeg's work.
HOSTILE_MEMORY_BOUND_MIB = 3 * 256
# How long the window may take to show a picture or its error box: a freeze of the old
# kind took 8 to over 120 s. The valid 7000 x 7000 picture alone takes libjpeg about
# 2.5 s on the shared build machine; the other files far less.
HOSTILE_ANSWER_SECONDS = 8.0


def peak_memory_mib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    raise CheckFailed("no VmHWM in /proc/<pid>/status")


def scenario_hostile_pictures(s):
    """Forged, damaged and unusual pictures: the window answers, one box per failure, nothing black, memory bounded."""
    d, w = s.display, s.window
    start_peak = peak_memory_mib(s.program.pid)

    def error_boxes():
        return [x for x in d.visible_windows(s.program.pid, "^Velmora 1\\.0$") if x != w.id]

    def picture_box(raster):
        width, height = lesson.PICTURE_BOX
        x, y = w.picture_origin(1, 1, types.SimpleNamespace(width=width, height=height))
        return raster.crop(x, y, width, height)

    for name, file, colour in HOSTILE_LANE_FILES:
        began = time.monotonic() + 0.3  # choose_object waits that long for the list to open
        w.choose_object(1, name)
        if colour is None:
            boxes = wait_until(error_boxes, HOSTILE_ANSWER_SECONDS, f"an error box for {file}")
            print(f"    {file}: error box {time.monotonic() - began:.1f} s after the choice")
            check(len(boxes) == 1, f"{file}: {len(boxes)} error boxes open")
            d.focus(boxes[0])
            d.key("Return")
            wait_until(lambda: not error_boxes(), 5, f"the error box of {file} to close")
            time.sleep(0.5)  # the lane repaints once the box has gone
            check(not error_boxes(), f"{file}: another error box opened when the lane repainted")
        else:
            def shown():
                raster, _ = w.grab(file)
                box = picture_box(raster)
                return box.count(lambda r, g, b: is_car_red(r, g, b)) > 0.9 * box.width * box.height
            wait_until(shown, HOSTILE_ANSWER_SECONDS, f"{file} shown {colour} in the upper lane")
            print(f"    {file}: shown {time.monotonic() - began:.1f} s after the choice")
        raster, _ = w.grab(f"after-{file}")
        black = w.lane(raster, 1).crop(3, 3, 694, 98).count(lambda r, g, b: max(r, g, b) < 25)
        check(black == 0, f"{file}: {black} black pixels in the upper lane")

    # Still answering: a typed value shows.
    before, _ = w.grab("before-typing")
    w.type_into("t1", "7")
    wait_until(lambda: w.field(w.grab("typed")[0], "t1").differing_pixels(w.field(before, "t1")) > 0, 5,
               "the typed value to show")
    growth = peak_memory_mib(s.program.pid) - start_peak
    print(f"    peak memory grew by {growth:.0f} MiB")
    check(growth <= HOSTILE_MEMORY_BOUND_MIB, f"peak memory grew by {growth:.0f} MiB")


def scenario_pasted_text(s):
    """Pasted texts of 30 000 line breaks or combining marks: the error box fits the screen and its OK closes it."""
    d, w = s.display, s.window
    screen_width, screen_height = SCALED["pasted_text"][1]

    def error_boxes():
        return [x for x in d.visible_windows(s.program.pid, "^Velmora 1\\.0$") if x != w.id]
    w.type_into("v1", "60")
    for name, text in (("line breaks", "3" + "\n" * 30000), ("combining marks", "3" + "\u0301" * 30000)):
        # xclip keeps serving the clipboard in the background until the program takes it over.
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), env=d.env, check=True,
                       timeout=30)
        x, y = lesson.FIELDS["t1"]
        w.click(x + lesson.FIELD_SIZE[0] // 2, y + lesson.FIELD_SIZE[1] // 2)
        d.key("ctrl+a", "ctrl+v")
        began = time.monotonic()
        w.press_start()
        box = wait_until(error_boxes, 20, f"the error box for {name}")[0]
        print(f"    {name}: error box {time.monotonic() - began:.2f} s after the press")
        x, y, width, height = d.geometry(box)
        s.shots.grab(f"box-{name}", box)
        check(x >= 0 and y >= 0 and x + width <= screen_width and y + height <= screen_height,
              f"{name}: the box at {x}, {y}, {width} x {height} leaves the {screen_width} x {screen_height} screen")
        # OK sits in the box's bottom right corner, its usual margins from the edges.
        d.click(x + width - 52, y + height - 25)
        wait_until(lambda: box not in d.visible_windows(s.program.pid), 5, f"the box for {name} to close on OK")


# Valid pictures far larger than a lane, put in place of two lane pictures: each shows
# the part the lane can show without taking the memory the whole picture would.
LARGE_LANE_FILES = [
    ("Грузовик", "large_baseline.jpg"),        # 8192 x 8192 baseline
    ("Трактор", "large_progressive_444.jpg"),  # 8192 x 8192 progressive, full-resolution colour
]
# Above the program at rest: the baseline picture may take this much at most; the
# progressive one this much beyond libjpeg's store of its coefficients (2 bytes each,
# 3 x 8192 x 8192 of them), which it keeps until the last scan has been read, and the
# file's own bytes, which the picture holds until it has been decoded.
LARGE_MEMORY_MIB = 64
COEFFICIENTS_MIB = 3 * 8192 * 8192 * 2 / 2**20


def prepare_pictures_folder(maker, files, *options):
    """A copy of dris/ with files written by make_hostile_pictures in place of the upper lane's pictures."""
    folder = tempfile.mkdtemp(prefix="velmora-hostile-")
    shutil.copytree(os.path.join(REPOSITORY, "dris"), os.path.join(folder, "dris"))
    made = os.path.join(folder, "made")
    subprocess.run([maker, made, *options], check=True)
    for lane_object, name, *_ in files:
        # Moved, not copied: huge.jpg is sparse.
        number = lesson.OBJECTS.index(lane_object) + 1
        os.replace(os.path.join(made, name), os.path.join(folder, "dris", f"{number}.jpg"))
    shutil.rmtree(made)
    return folder


def scenario_large_pictures(s):
    """8192 x 8192 baseline and progressive pictures: shown, memory within bounds, the window answers afterwards."""
    d, w = s.display, s.window
    at_rest = peak_memory_mib(s.program.pid)

    def picture_box(raster):
        width, height = lesson.PICTURE_BOX
        x, y = w.picture_origin(1, 1, types.SimpleNamespace(width=width, height=height))
        return raster.crop(x, y, width, height)
    progressive = lesson.OBJECTS.index(LARGE_LANE_FILES[1][0]) + 1
    progressive_bytes = os.path.getsize(os.path.join(s.pictures, "dris", f"{progressive}.jpg")) / 2**20
    bounds = (LARGE_MEMORY_MIB, COEFFICIENTS_MIB + progressive_bytes + LARGE_MEMORY_MIB)
    for (name, file), bound in zip(LARGE_LANE_FILES, bounds):
        shown_before = picture_box(w.grab(f"before-{file}")[0])
        began = time.monotonic() + 0.3  # choose_object waits that long for the list to open
        w.choose_object(1, name)
        # The noisy picture fills the whole box, unlike the car before it.
        wait_until(lambda: picture_box(w.grab(file)[0]).differing_pixels(shown_before) > 0.9 * 145 * 100, 30,
                   f"{file} shown in the upper lane")
        growth = peak_memory_mib(s.program.pid) - at_rest
        print(f"    {file}: shown {time.monotonic() - began:.1f} s after the choice, peak memory +{growth:.0f} MiB")
        check(not [x for x in d.visible_windows(s.program.pid, "^Velmora 1\\.0$") if x != w.id],
              f"{file}: an error box opened")
        check(growth <= bound, f"{file}: peak memory grew by {growth:.0f} MiB, more than {bound:.0f} MiB")
    # Still answering: a typed value shows.
    before, _ = w.grab("before-typing")
    w.type_into("t1", "7")
    wait_until(lambda: w.field(w.grab("typed")[0], "t1").differing_pixels(w.field(before, "t1")) > 0, 5,
               "the typed value to show")


def scenario_language(s):
    """The About window and the crib sheet, shown from the menu, are renamed by the language boxes."""
    d, w = s.display, s.window
    w.read_menu_bar()
    w.focus()
    d.key("alt")
    time.sleep(0.3)
    d.key("Return")  # the first item, "Шпаргалка", from the keyboard
    crib = s.wait_for_new_window([], "the crib sheet")
    w.click_menu(1)  # "Помощь" with the mouse, then its one item
    time.sleep(0.3)
    d.key("Down", "Return")
    about = s.wait_for_new_window([crib], "the About window")

    def titles():
        return d.title(w.id), d.title(about), d.title(crib)
    check(titles() == (TITLE, "О программе", "Шпаргалка"), f"Russian window titles are {titles()}")

    w.click_centre(ENGLISH_BOX)
    english = (TITLE, "About the program", "Crib")
    try:
        wait_until(lambda: titles() == english, 3, "English window titles")
    except CheckFailed:
        raise CheckFailed(f"after EN the window titles are {titles()}, expected {english}") from None

    w.click_centre(RUSSIAN_BOX)
    russian = (TITLE, "О программе", "Шпаргалка")
    try:
        wait_until(lambda: titles() == russian, 3, "Russian window titles")
    except CheckFailed:
        raise CheckFailed(f"after RU the window titles are {titles()}, expected {russian}") from None


def scenario_in_class(s):
    """A long result shows its start, the wheel leaves an unused list alone, keys after a language switch edit nothing."""
    d, w = s.display, s.window
    # v = 7 and s = 10 give t = 1.42857142857143, longer than its field: the start shows.
    w.type_into("v1", "7")
    w.type_into("s1", "10")
    w.type_into("t2", "1.4")  # the reference; a single value leaves row 2 alone
    w.press_start()
    time.sleep(0.5)
    raster, _ = w.grab("long-result")
    start, reference = w.field(raster, "t1").crop(0, 0, 22, 22), w.field(raster, "t2").crop(0, 0, 22, 22)
    check(start.differing_pixels(reference) == 0, "the t field does not show the start of 1.42857142857143")

    # The caret in the lower v field, the wheel turned over the lower list.
    w.type_into("v2", "5")
    before, _ = w.grab("before-wheel")
    w.wheel_down_over_list(2)
    time.sleep(0.5)
    after, _ = w.grab("after-wheel")
    check(w.object_list(after, 2).differing_pixels(w.object_list(before, 2)) == 0, "the wheel changed the lower list")
    # Compared with the empty s field: the caret may blink in the v field.
    check(w.field(after, "v2").differing_pixels(w.field(after, "s2")) > 30, "the wheel wiped the lower v field")
    check(lane_is_empty(s, after, 2), "the wheel put an object into the lower lane")

    # After a switch by mouse the focus is on the RU box: a letter edits nothing, Space switches back.
    russian, _ = w.grab("russian")
    w.click_centre(ENGLISH_BOX)
    time.sleep(0.4)
    english, _ = w.grab("english")
    d.type("x")
    time.sleep(0.4)
    typed, _ = w.grab("letter-after-switch")
    check(w.object_list(typed, 1).differing_pixels(w.object_list(english, 1)) == 0,
          "a letter typed after the switch went into the upper list")
    d.key("space")
    time.sleep(0.4)
    back, _ = w.grab("back-to-russian")
    check(w.object_list(back, 1).differing_pixels(w.object_list(russian, 1)) == 0,
          "Space on the focused RU box did not switch back to Russian")
    check(w.object_list(back, 1).differing_pixels(w.object_list(english, 1)) > 0, "the upper list never read Car")


def scenario_held_key(s):
    """Space held for 3 s on a language box switches the language once, when it is let go."""
    d, w = s.display, s.window
    russian = w.title(w.grab("russian")[0])
    w.focus()
    d.key("shift+Tab")  # from the first list back round to "EN"
    time.sleep(0.3)
    d.xdotool("keydown", "space")
    try:
        held = time.monotonic()
        for second in (1, 2, 3):
            time.sleep(max(0.0, held + second - time.monotonic()))
            during = w.title(w.grab(f"held-{second}")[0])
            check(during.differing_pixels(russian) == 0, f"the language switched within {second} s of holding Space")
    finally:
        d.xdotool("keyup", "space")
    wait_until(lambda: w.title(w.grab("let-go")[0]).differing_pixels(russian) > 0, 3,
               "the switch to English when Space is let go")
    english = w.title(w.grab("english")[0])
    time.sleep(1.0)
    later = w.title(w.grab("a-second-later")[0])
    check(later.differing_pixels(english) == 0, "the language switched again after Space was let go")


def scenario_lists_after_switch(s):
    """After a switch to English the lists name the objects their lanes show: Truck and Motorcycle."""
    w = s.window
    w.choose_object(1, "Грузовик")
    w.choose_object(2, "Мотоцикл")
    russian = w.title(w.grab("russian")[0])
    w.click_centre(ENGLISH_BOX)
    wait_until(lambda: w.title(w.grab("switching")[0]).differing_pixels(russian) > 0, 3, "the switch to English")
    switched, _ = w.grab("switched")
    # The same objects picked from the English lists show what the lists must read.
    w.choose_object(1, "Грузовик")
    w.choose_object(2, "Мотоцикл")
    x, y = lesson.FIELDS["t1"]
    w.click(x + 10, y + 10)  # the focus out of the lists
    wrong = []

    def lists_read_as_picked():
        picked, _ = w.grab("picked")
        wrong[:] = [name for row, name in ((1, "Truck"), (2, "Motorcycle"))
                    if w.object_list(switched, row).differing_pixels(w.object_list(picked, row)) > 0]
        return not wrong
    try:
        wait_until(lists_read_as_picked, 5, "the lists to read as when picked")
    except CheckFailed:
        raise CheckFailed(f"after the switch the lists do not read {wrong}, the objects their lanes show") from None


def open_about(s):
    d, w = s.display, s.window
    w.click_menu(1)  # "Помощь", then its one item
    time.sleep(0.3)
    d.key("Down", "Return")


def scenario_menu_to_front(s):
    """Under a window manager the menu brings the About window, open behind the main window, to the front."""
    d, w = s.display, s.window
    w.read_menu_bar()
    open_about(s)
    about = s.wait_for_new_window([], "the About window")

    def stacking():
        return [x for x in d.root_windows("_NET_CLIENT_LIST_STACKING") if x in (w.id, about)]
    wait_until(lambda: stacking() == [w.id, about], 5, "the About window over the main window")
    w.click(60, 60)  # the main window's background: it comes over the About window
    wait_until(lambda: stacking() == [about, w.id], 5, "the main window over the About window after a click on it")
    open_about(s)
    try:
        wait_until(lambda: stacking() == [w.id, about] and d.root_windows("_NET_ACTIVE_WINDOW")[:1] == [about], 5,
                   "the About window in front and active")
    except CheckFailed:
        raise CheckFailed(f"the menu left the About window behind: stacking {stacking()}, "
                          f"About {about}, main {w.id}") from None
    check(s.other_windows() == [about], "the menu opened a second About window")


def scenario_about_tab(s):
    """Tab in the About window's memo types no tab character: the text stays as it was."""
    d = s.display
    open_about(s)
    about = s.wait_for_new_window([], "the About window")
    d.focus(about)
    x, y, _, _ = d.geometry(about)
    d.click(x + 20, y + 82 + 28)  # the memo's middle line, before its text
    time.sleep(0.3)
    memo = (0, 82, 265, 57)
    before = s.shots.grab("memo-before", about)[0].crop(*memo)
    d.key("Tab", "Tab", "shift+Tab")
    time.sleep(1.0)
    after = s.shots.grab("memo-after", about)[0].crop(*memo)
    # The caret may blink between the grabs; a typed tab moves a whole centred line.
    differing = after.differing_pixels(before)
    check(differing <= 40, f"Tab changed the memo: {differing} pixels differ")


def scenario_small_screen(s):
    """On an 800 x 600 screen the window's frame starts at the screen's left edge, centred up and down."""
    d, w = s.display, s.window
    frame = []

    def placed():
        frame[:] = d.frame(w.id)  # placed again once openbox has framed it
        x, y, _, height = frame
        return x == 0 and y >= 0 and abs(y + height / 2 - 300) <= 1
    try:
        wait_until(placed, 5, "the window placed")
    except CheckFailed:
        raise CheckFailed(f"the window's frame (x, y, width, height) is {tuple(frame)} on the 800 x 600 screen") from None


def shows_computed_fraction(s, text):
    """Row 1 with t = 4 and s = 10 gets v = 2.5, which must look like `text` typed by hand."""
    w = s.window
    w.type_into("t1", "4")
    w.type_into("s1", "10")
    w.type_into("v2", text)  # the reference; a single value leaves row 2 alone
    w.press_start()
    time.sleep(0.5)
    raster, _ = w.grab("computed")
    differing = w.field(raster, "v1").differing_pixels(w.field(raster, "v2"))
    check(differing == 0, f"the v field does not show {text}: {differing} pixels differ from a field holding it")


def scenario_decimal_comma(s):
    """Under a Russian desktop locale a computed fraction has a comma: t = 4 and s = 10 give v = 2,5."""
    shows_computed_fraction(s, "2,5")


def scenario_decimal_point(s):
    """Under the C locale the same fraction has a point: v = 2.5."""
    shows_computed_fraction(s, "2.5")


def scenario_secondary_windows(s):
    """The About window and the crib sheet open as windows of their own, at their sizes, centred."""
    d, w = s.display, s.window
    w.click_menu(0)  # "Шпаргалка"
    crib = s.wait_for_new_window([], "the crib sheet")
    w.click_menu(1)
    time.sleep(0.3)
    d.key("Down", "Return")
    about = s.wait_for_new_window([crib], "the About window")
    for window, name, size in ((about, "About window", (265, 216)), (crib, "crib sheet", (520, 358))):
        check(d.is_top_level(window), f"the {name} is not a top-level window")
        x, y, width, height = d.geometry(window)
        check((width, height) == size, f"the {name} is {width} x {height}, expected {size[0]} x {size[1]}")
        minimum, maximum = d.size_hints(window)
        check(minimum == maximum == size, f"the {name} can be resized: minimum {minimum}, maximum {maximum}")
        centre = (x + width / 2, y + height / 2)
        check(abs(centre[0] - SCREEN_SIZE[0] / 2) <= 1 and abs(centre[1] - SCREEN_SIZE[1] / 2) <= 1,
              f"the {name} opens at ({x}, {y}), not centred on the {SCREEN_SIZE[0]} x {SCREEN_SIZE[1]} screen")


def scenario_exit(s):
    """"Выход" ends the program while a run is animating, with exit status 0."""
    w = s.window
    car = CarTracker(w, 1, builtin_car())
    w.type_into("t1", "3")
    w.type_into("v1", "60")
    w.press_start()
    first, _ = w.grab("running-1")
    time.sleep(0.4)
    second, _ = w.grab("running-2")
    a, b = car.left(first), car.left(second)
    check(a is not None and b is not None and b > a, f"the car is not running: {a} then {b}")
    w.click_menu(2)  # "Выход" with the mouse
    status = s.program.wait_for_exit(10)
    check(status == 0, f"exit status {status} after Выход")


def scenario_installed(s):
    """The installed program, started from its desktop entry's folder, finds its pictures in dris/ there."""
    d, w = s.display, s.window
    check(d.title(w.id) == TITLE, f"main window title is {d.title(w.id)!r}")
    raster, _ = w.grab("installed-start")
    check(w.red_left(raster, 1) is not None, "no car in the upper lane")
    w.choose_object(1, "Грузовик")  # read from dris/ in the working folder
    truck = s.picture("2.jpg")

    def shows_truck():
        if s.other_windows():
            raise CheckFailed("an error box opened: the installed program did not find its pictures")
        raster, _ = w.grab("installed-truck")
        return shows_picture(s, raster, 1, 1, truck)
    wait_until(shows_truck, 5, "the truck picture from dris/")
    w.click_menu(2)
    status = s.program.wait_for_exit(10)
    check(status == 0, f"exit status {status} after Выход")


def scenario_installed_elsewhere(s):
    """The installed program, started from a folder without dris/, works in its data folder."""
    scenario_installed(s)


def dump(reader, window, heading):
    """Prints what a screen reader reads in a window, one object a line."""
    print(f"--- {heading}")
    for node in reader.tree(window):
        print(node.line())


def showing_graphics(reader, window):
    return [node.name for node in reader.tree(window) if node.role == "image" and node.showing]


def list_reads(reader, window, name, value):
    """The object list named `name` holds `value` in its text field."""
    node = reader.find(window, "combo box", name)
    texts = [child.text for child in reader.tree(node.accessible)[1:] if child.text is not None]
    check(texts == [value], f"the list {name!r} holds {texts}, expected {value!r}")


def scenario_screen_reader(s):
    """Through AT-SPI: the lists, windows, lanes, pictures and link read right in both languages; actions return at once."""
    d, w = s.display, s.window
    reader = screen_reader.Reader(s.program.pid)
    main = reader.window(TITLE)
    dump(reader, main, "main window, Russian")
    nodes = reader.tree(main)
    check(nodes[0].role == "frame", f"the main window is a {nodes[0].role}, not a frame")
    inner_frames = [n.name for n in nodes[1:] if n.role == "frame"]
    check(not inner_frames, f"controls inside the main window read as windows: {inner_frames}")
    list_reads(reader, main, "Объект, верхняя дорожка", "Автомобиль")
    list_reads(reader, main, "Объект, нижняя дорожка", "Пусто")
    for lane in ("Верхняя дорожка", "Нижняя дорожка"):
        reader.find(main, "panel", lane)
    check(showing_graphics(reader, main) == ["Автомобиль"],
          f"the pictures read {showing_graphics(reader, main)}, expected only the car of the upper lane")
    link = reader.find(main, "link", "velmora.example")
    check(link.actions and not link.focusable, f"the link offers {link.actions}, focusable {link.focusable}")

    # Towards mode: the right-hand picture holds nothing until an object is chosen.
    reader.act(reader.find(main, "check box", "Навстречу"), "Toggle")
    wait_until(lambda: reader.find(main, "check box", "Навстречу").checked, 3, "the towards box checked")
    check(showing_graphics(reader, main) == ["Автомобиль"],
          f"with nothing chosen in towards mode the pictures read {showing_graphics(reader, main)}")
    w.choose_object(2, "Робот")
    wait_until(lambda: showing_graphics(reader, main) == ["Автомобиль", "Робот"], 3,
               "the robot named in towards mode")

    # A press that opens the error box returns at once; the box is an alert.
    w.type_into("t1", "abc")
    w.type_into("v1", "5")
    took = reader.act(reader.find(main, "push button", "Старт"), "Press")
    check(took < 1.0, f"the Press action took {took:.2f} s")
    def alert():
        return next((x for x in reader.windows() if x.getRoleName() == "alert"), None)
    wait_until(alert, 5, "the error box as an alert")
    boxes = [x for x in d.visible_windows(s.program.pid, "^Velmora 1\\.0$") if x != w.id]
    check(len(boxes) == 1, f"expected one error box, found {len(boxes)}")
    d.focus(boxes[0])
    d.key("Return")
    wait_until(lambda: alert() is None, 5, "the error box to close")

    # English: every window is renamed, and a reader that caches names hears it; the
    # lists and the other controls are read afresh.
    w.click_menu(0)  # the crib sheet, so that it is in the tree
    crib = reader.window("Шпаргалка")
    check(crib.getRoleName() == "frame", f"the crib sheet is a {crib.getRoleName()}, not a frame")
    changes = screen_reader.NameChanges()
    try:
        took = reader.act(reader.find(main, "check box", "EN"), "Toggle")
        check(took < 1.0, f"the Toggle action took {took:.2f} s")
        heard = changes.collect(2.0)
    finally:
        changes.close()
    check(("frame", "Crib") in heard, f"no name change heard for the crib sheet; heard {heard}")
    dump(reader, main, "main window, English")
    dump(reader, crib, "crib sheet, English")
    list_reads(reader, main, "Object, upper lane", "Car")
    list_reads(reader, main, "Object, lower lane", "Robot")
    check(showing_graphics(reader, main) == ["Car", "Robot"],
          f"the English pictures read {showing_graphics(reader, main)}")
    reader.find(main, "panel", "Lower lane")


# What the walk of the lesson by keyboard hears, in each language: the number fields in
# tab order (v, s, t of the upper lane, then t, v, s of the lower), the start button's
# result, and the language switch with the box that has the focus after it and a label
# on the box's line, read in the new language.
SPOKEN = {
    "Russian": types.SimpleNamespace(
        fields=["Скорость v, верхняя дорожка", "Расстояние s, верхняя дорожка", "Время t, верхняя дорожка",
                "Время t, нижняя дорожка", "Скорость v, нижняя дорожка", "Расстояние s, нижняя дорожка"],
        towards="Навстречу", result="Расстояние s, верхняя дорожка: 120", switched="English", focused_box="RU",
        reviewed="To download this and other programs"),
    "English": types.SimpleNamespace(
        fields=["Speed v, upper lane", "Distance s, upper lane", "Time t, upper lane",
                "Time t, lower lane", "Speed v, lower lane", "Distance s, lower lane"],
        towards="Towards", result="Distance s, upper lane: 120", switched="Русский", focused_box="EN",
        reviewed="Скачать эту и другие программы"),
}
ISOLATES = ("\u2066", "\u2067", "\u2068", "\u2069")


class Listening:
    """A walk by keyboard with Orca listening: each step's speech, found by time, is
    printed as the walk's transcript; every check that fails is kept and the walk goes
    on, so that one run tells all that a pupil misses."""

    def __init__(self, session):
        self.s = session
        self.orca = session.orca
        self.failures = []

    def step(self, label, keys=(), text=None, action=None, expect=None, timeout=20):
        """Runs action, presses keys, types text, waits for `expect` to be said, then
        for quiet; returns what was said from the press on."""
        since = time.time()
        if action is not None:
            action()
        if keys:
            self.s.display.key(*keys)
        if text is not None:
            self.s.display.type(text)
        if expect is not None:
            try:
                self.orca.wait_for(lambda u: expect in u.text, timeout, repr(expect), since)
            except CheckFailed as failure:
                self.failures.append(f"{label}: {failure}")
        self.orca.quiet()
        said = [u.text for u in self.orca.heard(since)]
        print(f"  {label}: {' / '.join(said)}", flush=True)
        self.since = since
        return said

    def check(self, condition, message):
        if not condition:
            self.failures.append(message)


def walk_lesson(w, language):
    """From the upper object list: the six fields, the start button, back into the
    computed field, on to the other language's box and the switch."""
    said = SPOKEN[language]
    print(f"--- {language}")
    heard = w.step("Tab to the lower list", ["Tab"])
    w.check(not selection_news(heard), f"Tab from a list to a list said {heard}")
    for i, name in enumerate(said.fields):
        heard = w.step(f"Tab to {name}", ["Tab"], expect=name)
        w.check(any(u.startswith(name) for u in heard), f"the first Tab into {name!r} said {heard}")
        if i == 0:
            w.step("type 60", ["ctrl+a"], text="60")
        elif i == 1:
            w.step("clear", ["ctrl+a", "BackSpace"])
        elif i == 2:
            w.step("type 2", ["ctrl+a"], text="2")
    w.step("Tab to the towards box", ["Tab"], expect=said.towards)
    w.step("Tab to the start button", ["Tab"])
    heard = w.step("Space on the start button", ["space"], expect=said.result)
    w.check(sum(said.result in u for u in heard) == 1, f"the result {said.result!r} said {heard}, not once")
    back = [said.towards] + said.fields[5:2:-1] + [said.fields[2], said.fields[1]]
    for name in back:
        heard = w.step(f"Shift+Tab to {name}", ["shift+ISO_Left_Tab"], expect=name)
    computed = said.fields[1]
    named = [i for i, u in enumerate(heard) if u.startswith(computed)]
    numbers = [i for i, u in enumerate(heard) if any(c.isdigit() for c in u)]
    w.check(len(named) == 1 and len(numbers) == 1 and named[0] < numbers[0] and heard[numbers[0]].startswith("120"),
            f"back into the computed field: {heard}, not its name and then 120, once each")
    for _ in range(6):
        w.step("Tab", ["Tab"])
    w.step("Tab to the other language's box", ["Tab"])
    heard = w.step("Space on it", ["space"], expect=said.switched)
    events = w.orca.events(w.since, time.time(), "velmora")
    print(f"  the switch sent {len(events)} accessibility events: {'; '.join(events)}")
    w.check(len(events) < 20, f"the switch sent {len(events)} accessibility events, not fewer than 20")
    w.check(not w.orca.flooded(w.since), "Orca reported a flood of events during the switch")
    heard = w.step("where am I", ["KP_Enter"], expect=said.focused_box)
    w.check(any(u.startswith(said.focused_box) for u in heard), f"where-am-I said {heard}")
    # Exploring: the box's line, whose label was not focused, in the new language.
    w.step("review the current line", ["KP_8"], expect=said.reviewed)
    w.step("leave the review", ["KP_Subtract"])
    heard = w.step("Tab to the upper list", ["Tab"])
    w.check(not selection_news(heard), f"Tab from a box to a list said {heard}")


def selection_news(heard):
    """What Orca said of a text's selection: a list's text field telling its caret and
    selection before the focus, as the focus arrives or leaves."""
    return [u for u in heard if "выделен" in u or "selected" in u.lower()]


def scenario_spoken(s):
    """With Orca listening: fields named on the first Tab, the result and the language spoken, the windows' texts read, the error without invisible marks."""
    d, win = s.display, s.window
    w = Listening(s)
    d.focus(win.id)
    s.orca.wait_for(lambda u: "Velmora 1.0" in u.text, 30, "the main window", since=0)
    s.orca.quiet()
    walk_lesson(w, "Russian")
    walk_lesson(w, "English")

    print("--- error box and windows")
    box = None
    for _ in range(3):  # a busy machine may lose typed letters
        win.type_into("t2", "abc")
        win.type_into("v2", "5")
        w.orca.quiet()
        win.press_start()
        try:
            box = wait_until(lambda: next(iter(s.other_windows()), None), 10, "the error box")
            break
        except CheckFailed:
            pass
    check(box is not None, "no error box after three tries")
    # No window manager here: a window that opens is given the keyboard as a desktop would.
    heard = w.step("the error box", action=lambda: d.focus(box), expect="is not a valid integer value")
    # What xdotool typed may lose a letter on a busy machine; the marks are what matters.
    w.check(any(re.fullmatch(r"'[a-c]+' is not a valid integer value\.", u) for u in heard),
            f"the error box said {heard!r}")
    w.check(not any(mark in u for u in heard for mark in ISOLATES), f"the error box said invisible marks: {heard!r}")
    # The box gives the focus back to the main window: heard before another window opens.
    w.step("Return on OK", ["Return"], expect="Старт")
    wait_until(lambda: not s.other_windows(), 10, "the error box to close")

    win.click_menu(1)
    time.sleep(0.5)  # the menu opens
    # Its one item, by the mouse: keys reach a menu late while the screen reader is busy.
    left, _ = win.menu[1]
    d.click(win.x + left + 30, win.y + win.menu_height + 12)
    about = s.wait_for_new_window([], "the About window")
    heard = w.step("the About window from the Help menu", action=lambda: d.focus(about), expect="Описание")
    w.check(any("О программе" in u for u in heard), f"the About window said {heard}")
    lines = ["Демонстрационная", "программа по математике", "для учащихся 4-х классов"]
    for line in lines[1:]:
        heard += w.step("Down", ["Down"], expect=line)
    w.check(all(any(line in u for u in heard) for line in lines), f"the About window's lines read {heard}")
    w.step("Tab in the About window", ["Tab"])

    d.focus(win.id)
    w.orca.quiet()
    win.click_menu(0)
    crib = s.wait_for_new_window([about], "the crib sheet")
    heading = "СКОРОСТЬ. ВРЕМЯ. РАССТОЯНИЕ."
    heard = w.step("the crib sheet from its menu", action=lambda: d.focus(crib), expect="СКОРОСТЬ")
    for _ in range(12):
        heard += w.step("Down", ["Down"])
    said = " ".join(heard)
    # Orca reads the middle dot of "S = v · t" by its name.
    for expected in (*heading.split(), "S = v", "t = S : v", "v = S : t"):
        w.check(expected in said, f"the crib sheet read without {expected!r}: {said!r}")

    # A window heard before a switch speaks the new language after it, though the switch
    # told the screen reader only of the windows' titles and the focused box.
    d.focus(win.id)
    w.step("EN clicked", action=lambda: win.click_centre(lesson.ENGLISH_BOX), expect="English")
    heard = w.step("the About window again", action=lambda: d.focus(about), expect="Description")
    w.check(any("About the program" in u for u in heard) and not any("Описание" in u for u in heard),
            f"the About window after the switch said {heard}")
    check(not w.failures, "what a pupil would miss:\n  " + "\n  ".join(w.failures))


def scenario_sharp(s):
    """At a screen scale of 2 the default car is drawn from its @2x picture, pixel for pixel."""
    d, w = s.display, s.window
    raster, _ = w.grab("scaled-window")
    sharp = decode_picture(os.path.join(s.pictures, "dris", "1@2x.jpg"))  # the same drawing as the built-in car
    menu = w.height - 2 * lesson.CLIENT_SIZE[1]
    # The car's place in client pixels (lane, picture box, centring), doubled.
    lx, ly, _, _ = lesson.LANES[1]
    x = 2 * (lx + 1 + (lesson.PICTURE_BOX[0] - sharp.width // 2) // 2)
    y = menu + 2 * (ly + lesson.PICTURE_BOX_TOP[1] + (lesson.PICTURE_BOX[1] - sharp.height // 2) // 2)
    difference = raster.largest_difference(sharp, x, y)
    check(difference <= 2, f"the car at scale 2 differs from dris/1@2x.jpg by up to {difference} in a channel")
    coarse = decode_picture(os.path.join(s.pictures, "dris", "1.jpg")).scaled_by_two()
    check(raster.largest_difference(coarse, x, y) > 2 * difference, "the car at scale 2 looks like the 1x one enlarged")


# The desktop language a scenario runs under; the others run under C.UTF-8.
LOCALES = {"decimal_comma": "ru_RU.UTF-8"}
# The screen scale a scenario runs at, and the screen it needs for the scaled window.
SCALED = {"sharp": ("2", (2000, 1000)), "pasted_text": (None, (800, 600)),
          "small_screen": (None, (800, 600))}
# The scenarios run with a window manager (openbox); the others on a bare display.
MANAGED = {"menu_to_front", "small_screen"}

SCENARIOS = {
    "window": scenario_window,
    "calculation": scenario_calculation,
    "two_lanes": scenario_two_lanes,
    "towards": scenario_towards,
    "typed_object": scenario_typed_object,
    "error_box": scenario_error_box,
    "language": scenario_language,
    "secondary_windows": scenario_secondary_windows,
    "in_class": scenario_in_class,
    "decimal_comma": scenario_decimal_comma,
    "decimal_point": scenario_decimal_point,
    "exit": scenario_exit,
    "sharp": scenario_sharp,
    "held_key": scenario_held_key,
    "lists_after_switch": scenario_lists_after_switch,
    "menu_to_front": scenario_menu_to_front,
    "about_tab": scenario_about_tab,
    "small_screen": scenario_small_screen,
    "installed": scenario_installed,
    "installed_elsewhere": scenario_installed_elsewhere,
    "screen_reader": scenario_screen_reader,
    "spoken": scenario_spoken,
    "hostile_pictures": scenario_hostile_pictures,
    "pasted_text": scenario_pasted_text,
    "large_pictures": scenario_large_pictures,
}


# Installation: the desktop entry says what to start and where.

def read_desktop_entry(path):
    entry = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if "=" in line and not line.startswith("#"):
                key, value = line.split("=", 1)
                entry[key] = value
    return entry


def installed_program(entry_path):
    """(argv, working folder) of the program a desktop entry starts; checks the layout around it."""
    prefix = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(entry_path))))
    entry = read_desktop_entry(entry_path)
    check(entry.get("Exec") == "velmora", f"desktop entry Exec is {entry.get('Exec')!r}")
    data = entry.get("Path", "")
    check(data == os.path.join(prefix, "share", "velmora"), f"desktop entry Path is {data!r}, prefix {prefix}")
    pictures = os.listdir(os.path.join(data, "dris"))
    sharp = [p for p in pictures if p.endswith("@2x.jpg")]
    check(len(pictures) - len(sharp) == 24, f"{len(pictures) - len(sharp)} pictures installed in {data}/dris, expected 24")
    check(len(sharp) == 24, f"{len(sharp)} @2x pictures installed in {data}/dris, expected 24")
    for size in (16, 32, 48, 64, 128, 256):
        icon = os.path.join(prefix, "share", "icons", "hicolor", f"{size}x{size}", "apps", "velmora.png")
        check(os.path.isfile(icon), f"icon missing: {icon}")
    program = shutil.which("velmora", path=os.path.join(prefix, "bin"))
    check(program is not None, f"no velmora in {prefix}/bin")
    for tool, args in (("desktop-file-validate", [entry_path]),
                       ("appstreamcli", ["validate", "--no-net", "--pedantic",
                                         os.path.join(prefix, "share", "metainfo", "org.velmora.velmora.metainfo.xml")])):
        result = subprocess.run([tool, *args], capture_output=True, text=True)
        check(result.returncode == 0, f"{tool} rejects the installed file:\n{result.stdout}{result.stderr}")
    return [program], data


def locale_installed(name):
    listed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split()
    normal = (lambda n: n.lower().replace("-", ""))
    return normal(name) in {normal(n) for n in listed}


# README pictures.

def make_screenshots(s, folder):
    d, w = s.display, s.window
    w.choose_object(2, "Мотоцикл")
    w.type_into("t1", "2")
    w.type_into("v1", "60")
    w.type_into("t2", "2")
    w.type_into("v2", "40")
    w.press_start()
    time.sleep(3.0)
    os.makedirs(folder, exist_ok=True)
    targets = []

    def save(window, name):
        target = os.path.join(folder, name)
        subprocess.run(["import", "-window", str(window), target], env=d.env, check=True)
        targets.append(target)
    save(w.id, "main-window.png")
    w.click_menu(1)
    time.sleep(0.3)
    d.key("Down", "Return")
    about = s.wait_for_new_window([], "the About window")
    time.sleep(0.5)
    save(about, "about-window.png")
    w.click_menu(0)
    crib = s.wait_for_new_window([about], "the crib sheet")
    time.sleep(0.5)
    save(crib, "crib-sheet.png")
    return targets


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
        print(f"SKIPPED: missing {', '.join(missing)} (tools/setup-debian.sh installs them)")
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
        print("SKIPPED: missing xclip (tools/setup-debian.sh installs it)")
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
