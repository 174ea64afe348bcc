"""Scenarios of the secondary windows (the About window, the crib sheet) and of the
main window under a window manager; the README pictures of the three windows."""

import os
import subprocess
import time

import lesson
from lesson import ENGLISH_BOX, RUSSIAN_BOX
from session import TITLE
from xsession import SCREEN_SIZE, CheckFailed, check, wait_until


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
    """On an 800 x 600 screen the window fits the screen and its contents scroll: the EN box at the far right is reached and switches the language."""
    d, w = s.display, s.window
    frame = []

    def placed():
        frame[:] = d.frame(w.id)  # placed again once openbox has framed it
        x, y, width, height = frame
        return x >= 0 and y >= 0 and x + width <= 800 and y + height <= 600
    try:
        wait_until(placed, 5, "the window placed")
    except CheckFailed:
        raise CheckFailed(f"the window's frame (x, y, width, height) is {tuple(frame)} on the 800 x 600 screen") from None
    check(w.scrolls(), f"the window is {w.width} px wide, its contents unscrolled")
    # The scroll bar's right arrow, in the window's bottom right corner, until the
    # contents' right edge shows.
    for _ in range(15):
        d.click(w.x + w.width - lesson.SCROLL_BAR // 2, w.y + w.height - lesson.SCROLL_BAR // 2)
    time.sleep(0.5)
    shift = lesson.CLIENT_SIZE[0] - w.width

    def title(raster):
        return raster.crop(0, w.menu_height + 3, w.width, 24)
    russian, _ = w.grab("scrolled-right")
    x, y, width, height = lesson.ENGLISH_BOX
    w.click(x - shift + width // 2, y + height // 2)
    wait_until(lambda: title(w.grab("english")[0]).differing_pixels(title(russian)) > 100, 5,
               "the title in English after a click on EN")




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



SCENARIOS = {
    "language": scenario_language,
    "secondary_windows": scenario_secondary_windows,
    "menu_to_front": scenario_menu_to_front,
    "about_tab": scenario_about_tab,
    "small_screen": scenario_small_screen,
}
