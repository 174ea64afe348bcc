"""Scenarios of the lane pictures a teacher's folder may hold: forged, damaged, unusual
and very large JPEG files, each in a copy of dris/."""

import os
import shutil
import subprocess
import tempfile
import time
import types

import lesson
from pictures import is_car_red
from session import REPOSITORY
from xsession import CheckFailed, check, wait_until


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



SCENARIOS = {
    "hostile_pictures": scenario_hostile_pictures,
    "large_pictures": scenario_large_pictures,
}
