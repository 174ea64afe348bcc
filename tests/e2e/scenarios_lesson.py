"""Scenarios of the lesson in the main window: the rows, the runs in the lanes, the
object lists, the language boxes, the error box, the numbers' separator and the scale."""

import os
import subprocess
import time

import lesson
from lesson import ENGLISH_BOX, TOWARDS_BOX, CarTracker, follow_run, pixels_per_tick, wait_for_picture_at
from pictures import decode_picture
from session import SCALED, TITLE, builtin_car, lane_is_empty, shows_picture
from xsession import SCREEN_SIZE, CheckFailed, check, wait_until


def fill_two_lanes(window):
    """Row 1: t = 1, v = 100 (s = 100, 10 px a tick); row 2: t = 1, v = 60 (s = 60, 6 px)."""
    window.type_into("t1", "1")
    window.type_into("v1", "100")
    window.type_into("t2", "1")
    window.type_into("v2", "60")


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



SCENARIOS = {
    "window": scenario_window,
    "calculation": scenario_calculation,
    "two_lanes": scenario_two_lanes,
    "towards": scenario_towards,
    "typed_object": scenario_typed_object,
    "error_box": scenario_error_box,
    "in_class": scenario_in_class,
    "decimal_comma": scenario_decimal_comma,
    "decimal_point": scenario_decimal_point,
    "exit": scenario_exit,
    "sharp": scenario_sharp,
    "held_key": scenario_held_key,
    "lists_after_switch": scenario_lists_after_switch,
    "pasted_text": scenario_pasted_text,
}
