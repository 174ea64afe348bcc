"""The main window as a pupil meets it: where its controls are, how to use them with
mouse and keyboard, and how to read the lanes and fields off a grab of the window.

Positions are client coordinates of the main window (the area below the menu bar),
as the window's layout gives them."""

import time

from pictures import is_car_red, is_ink
from xsession import CheckFailed, check, wait_until

CLIENT_SIZE = (919, 363)
# On a screen too narrow for it, the window is narrowed to fit and its contents scroll,
# with a scroll bar of this height along the bottom.
SCROLL_BAR = 14
FIELD_SIZE = (121, 28)
FIELDS = {
    "t1": (264, 40), "v1": (432, 40), "s1": (592, 40),
    "t2": (264, 297), "v2": (432, 297), "s2": (592, 297),
}
LIST_SIZE = (145, 28)
OBJECT_LISTS = {1: (6, 114), 2: (6, 224)}
START_BUTTON = (33, 280, 91, 29)
TOWARDS_BOX = (871, 231, 46, 17)
RUSSIAN_BOX = (10, 342, 41, 17)
ENGLISH_BOX = (871, 342, 41, 17)
LANES = {1: (163, 76, 700, 104), 2: (163, 186, 700, 105)}
# Each lane picture sits in a 145 x 100 box, the picture centred in it.
PICTURE_BOX = (145, 100)
PICTURE_BOX_TOP = {1: 2, 2: 3}

# The objects in the order of the lists; the lower list ends with "Пусто".
OBJECTS = ["Автомобиль", "Грузовик", "Трактор", "Мотоцикл", "Турист", "Яхта", "Корабль",
           "Самолет", "Вертолет", "Воздушный шар", "Робот", "Космический корабль"]

TRACK = 555


class MainWindow:
    def __init__(self, display, program, shots, window):
        self.display = display
        self.program = program
        self.shots = shots
        self.id = window
        self.x, self.y, self.width, self.height = display.geometry(window)
        self.menu_height = self.height - CLIENT_SIZE[1]
        self.menu = None

    def settle(self, scale=1, timeout=20):
        """Waits until the window has its size and is drawn and still: two grabs in a row
        alike right of the lists, whose caret blinks."""
        grabs = []

        def steady():
            self.x, self.y, self.width, self.height = self.display.geometry(self.id)
            if self.width > CLIENT_SIZE[0] * scale:
                return False
            raster, _ = self.grab("settling")  # only the part on the screen
            still = raster.crop(160 * scale, 0, raster.width - 160 * scale, raster.height)
            grabs.append(still)
            return len(grabs) > 1 and grabs[-2].rgb == still.rgb
        wait_until(steady, timeout, "the main window drawn and still", interval=0.1)
        self.menu_height = self.height - CLIENT_SIZE[1] - (SCROLL_BAR if self.scrolls(scale) else 0)

    def scrolls(self, scale=1):
        """Whether the window was narrowed to fit the screen, its contents scrolling."""
        return self.width < CLIENT_SIZE[0] * scale

    def read_menu_bar(self, expected=3, timeout=5):
        """Finds the menu bar's captions; done while no other window covers the bar
        (the About window and the crib sheet may open over it)."""
        def captions():
            raster, _ = self.grab("menu-bar")
            items = self.menu_items(raster)
            return items if len(items) == expected else None
        self.menu = wait_until(captions, timeout, f"{expected} captions in the menu bar")
        return self.menu

    # Coordinates.
    def screen(self, cx, cy):
        """Screen point of a client point."""
        return self.x + cx, self.y + self.menu_height + cy

    def click(self, cx, cy):
        self.display.click(*self.screen(cx, cy))

    def click_centre(self, box):
        x, y, w, h = box
        self.click(x + w // 2, y + h // 2)

    # Actions.
    def focus(self):
        self.display.focus(self.id)

    def type_into(self, field, text):
        x, y = FIELDS[field]
        self.click(x + FIELD_SIZE[0] // 2, y + FIELD_SIZE[1] // 2)
        self.display.key("ctrl+a")
        self.display.type(text)

    def press_start(self):
        self.click_centre(START_BUTTON)

    def choose_object(self, row, name):
        """Opens the row's list with its arrow and picks the object with the keyboard."""
        index = (OBJECTS + ["Пусто"]).index(name)
        x, y = OBJECT_LISTS[row]
        self.click(x + LIST_SIZE[0] - 8, y + LIST_SIZE[1] // 2)
        time.sleep(0.3)
        self.display.key("Home", *(["Down"] * index), "Return")
        time.sleep(0.3)

    def type_object_name(self, row, name):
        x, y = OBJECT_LISTS[row]
        self.click(x + 40, y + LIST_SIZE[1] // 2)
        self.display.key("ctrl+a")
        self.display.type(name)

    def menu_items(self, raster):
        """Spans (left, right) of the menu bar's captions, found by their ink."""
        columns = [x for x in range(raster.width)
                   if any(is_ink(*raster.pixel(x, y)) for y in range(2, self.menu_height - 2))]
        spans = []
        for x in columns:
            if spans and x - spans[-1][1] <= 6:
                spans[-1][1] = x
            else:
                spans.append([x, x])
        return [tuple(s) for s in spans]

    def click_menu(self, index):
        if self.menu is None:
            self.read_menu_bar()
        left, right = self.menu[index]
        self.display.click(self.x + (left + right) // 2, self.y + self.menu_height // 2)

    # Reading a grab of the window.
    def grab(self, label):
        return self.shots.grab(label, self.id)

    def lane(self, raster, row):
        x, y, w, h = LANES[row]
        return raster.crop(x, self.menu_height + y, w, h)

    def title(self, raster):
        """The title strip, whose text is in the lesson's language."""
        return raster.crop(0, self.menu_height + 3, CLIENT_SIZE[0], 24)

    def red_left(self, raster, row):
        """Leftmost pixel of the red car in the lane, in lane coordinates, or None."""
        return self.lane(raster, row).leftmost(is_car_red)

    def object_list(self, raster, row):
        """The closed list's text part, without its frame and arrow."""
        x, y = OBJECT_LISTS[row]
        return raster.crop(x + 3, self.menu_height + y + 3, LIST_SIZE[0] - 24, LIST_SIZE[1] - 6)

    def wheel_down_over_list(self, row):
        x, y = OBJECT_LISTS[row]
        self.display.xdotool("mousemove", *self.screen(x + 40, y + LIST_SIZE[1] // 2), "click", 5)

    def field(self, raster, name):
        """The inside of a field, without its frame (which shows focus)."""
        x, y = FIELDS[name]
        return raster.crop(x + 3, self.menu_height + y + 3, FIELD_SIZE[0] - 6, FIELD_SIZE[1] - 6)

    def picture_origin(self, row, left, picture):
        """Window point where a picture of the given size shows when its box is at `left`."""
        lx, ly, _, _ = LANES[row]
        return (lx + left + (PICTURE_BOX[0] - picture.width) // 2,
                self.menu_height + ly + PICTURE_BOX_TOP[row] + (PICTURE_BOX[1] - picture.height) // 2)


class CarTracker:
    """Reads where a red car's picture box stands in a lane, in the program's own
    left-edge numbers: the first red column of the picture file, plus the centring
    of the picture in its box, is the distance from the box's left edge to the first
    red pixel on the screen."""

    def __init__(self, window, row, picture):
        first_red = picture.leftmost(is_car_red)
        if first_red is None:
            raise ValueError("the picture holds no red car")
        self.window = window
        self.row = row
        self.offset = (PICTURE_BOX[0] - picture.width) // 2 + first_red

    def left(self, raster):
        seen = self.window.red_left(raster, self.row)
        return None if seen is None else seen - self.offset


def follow_run(window, trackers, timeout=40.0, settle=1.5, pause=0.1):
    """Grabs the window until every tracked picture has stood still for `settle`
    seconds; returns [(time, {row: left})]."""
    samples = []
    start = time.monotonic()
    still_since = None
    while True:
        raster, t = window.grab("run")
        lefts = {row: tracker.left(raster) for row, tracker in trackers.items()}
        if samples and lefts == samples[-1][1]:
            still_since = still_since if still_since is not None else samples[-1][0]
            if t - still_since >= settle:
                samples.append((t, lefts))
                return samples
        else:
            still_since = None
        samples.append((t, lefts))
        if t - start > timeout:
            raise CheckFailed(f"the pictures were still moving {timeout} s after the start: last {lefts}")
        time.sleep(pause)


def pixels_per_tick(samples, row, low, high):
    """Least-squares speed of a row's picture in pixels per 100 ms over the samples
    whose left edge lies strictly between `low` and `high`."""
    points = [(t, lefts[row]) for t, lefts in samples if lefts[row] is not None and low < lefts[row] < high]
    check(len(points) >= 5, f"lane {row}: only {len(points)} grabs caught the picture moving: {points}")
    n = len(points)
    mean_t = sum(t for t, _ in points) / n
    mean_x = sum(x for _, x in points) / n
    covariance = sum((t - mean_t) * (x - mean_x) for t, x in points)
    variance = sum((t - mean_t) ** 2 for t, _ in points)
    return covariance / variance * 0.1


def wait_for_picture_at(window, tracker, expected, timeout=5.0):
    """Waits until the tracked picture stands at `expected` (a timer tick may place it)."""
    seen = []

    def placed():
        raster, _ = window.grab("placed")
        seen.append(tracker.left(raster))
        return seen[-1] == expected
    try:
        wait_until(placed, timeout, f"lane {tracker.row}'s picture at left {expected}")
    except CheckFailed as failure:
        raise CheckFailed(f"{failure}; it stood at {seen[-3:]}") from None
