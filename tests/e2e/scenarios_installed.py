"""Scenarios of the installed program, started as its desktop entry says, and the
checks of the installed files around it."""

import os
import shutil
import subprocess

from session import TITLE, shows_picture
from xsession import CheckFailed, check, wait_until


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
    for notice in ("copyright", "THIRD-PARTY-NOTICES"):
        path = os.path.join(prefix, "share", "doc", "velmora", notice)
        check(os.path.isfile(path), f"licence file missing: {path}")
    program = shutil.which("velmora", path=os.path.join(prefix, "bin"))
    check(program is not None, f"no velmora in {prefix}/bin")
    for tool, args in (("desktop-file-validate", [entry_path]),
                       ("appstreamcli", ["validate", "--no-net", "--pedantic",
                                         os.path.join(prefix, "share", "metainfo", "org.velmora.velmora.metainfo.xml")])):
        result = subprocess.run([tool, *args], capture_output=True, text=True)
        check(result.returncode == 0, f"{tool} rejects the installed file:\n{result.stdout}{result.stderr}")
    return [program], data



SCENARIOS = {
    "installed": scenario_installed,
    "installed_elsewhere": scenario_installed_elsewhere,
}
