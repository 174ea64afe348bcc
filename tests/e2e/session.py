"""What every end-to-end scenario gets: one program on one private display, and the
display each scenario runs on."""

import os

from pictures import best_match, decode_picture
from xsession import wait_until

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


# The desktop language a scenario runs under; the others run under C.UTF-8.
LOCALES = {"decimal_comma": "ru_RU.UTF-8"}
# The screen scale a scenario runs at, and the screen it needs for the scaled window.
SCALED = {"sharp": ("2", (2000, 1000)), "pasted_text": (None, (800, 600)),
          "small_screen": (None, (800, 600))}
# The scenarios run with a window manager (openbox); the others on a bare display.
MANAGED = {"menu_to_front", "small_screen"}
