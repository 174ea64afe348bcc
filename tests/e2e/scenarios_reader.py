"""Scenarios of what a screen reader gets: the program read over AT-SPI, and a walk of
the lesson by keyboard with Orca listening."""

import re
import time
import types

import lesson
import screen_reader
from session import TITLE
from xsession import CheckFailed, check, wait_until


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
        heard = self.orca.heard(since)
        said = [u.text for u in heard]
        print(f"  {label}: {' / '.join(map(repr, heard))}", flush=True)
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
    began = time.time()
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
    # The fields' texts tell their language, and Orca asks a voice for it. (Orca 43 then
    # speaks in the voice of its own locale all the same.)
    asked = set(w.orca.voice_languages(began, time.time()))
    code = {"Russian": "ru", "English": "en"}[language]
    w.check(code in asked, f"Orca asked voices for {sorted(asked)} in the {language} walk, never for {code!r}")


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



SCENARIOS = {
    "screen_reader": scenario_screen_reader,
    "spoken": scenario_spoken,
}
