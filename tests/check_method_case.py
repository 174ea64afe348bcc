"""Fails when a class of the given folders has two methods, its own or inherited from
Qt, whose names differ only in letter case (SetText beside Qt's setText): each
behaviour has one name. Reads the declarations as text, so it may see more names than
a class has, never fewer.
  python3 check_method_case.py <Qt's include folder> <folder>..."""
import pathlib
import re
import sys

qt = pathlib.Path(sys.argv[1])
headers = {p.stem: p for p in qt.glob("Qt*/q*.h")}


def qt_methods(name, seen=frozenset()):
    """Every name followed by "(" in a Qt class's header and its bases' headers."""
    header = headers.get(name.lower())
    if header is None or name in seen:
        return set()
    text = header.read_text(errors="ignore")
    names = set(re.findall(r"\b([a-z]\w*)\s*\(", text))
    base = re.search(r"class\s+(?:Q_\w+\s+)?%s\s*(?:final\s*)?:\s*public\s+(\w+)" % name, text)
    return names | (qt_methods(base.group(1), seen | {name}) if base else set())


classes = {}  # name -> (header, base, own method names)
for folder in sys.argv[2:]:
    for header in sorted(pathlib.Path(folder).rglob("*.h")):
        for match in re.finditer(r"class\s+(\w+)\s*(?:final\s*)?:\s*public\s+([\w:]+)(.*?)\n};", header.read_text(), re.S):
            name, base, body = match.groups()
            classes[name] = (header, base, set(re.findall(r"\b([A-Z]\w*)\s*\(", body)) - {name})


def methods(name):
    """A class's own names and its bases', ours and Qt's."""
    if name in classes:
        _, base, own = classes[name]
        return own | methods(base)
    return qt_methods(name) if name.startswith("Q") else set()


faults = []
for name, (header, base, own) in classes.items():
    every = own | methods(base)
    for method in sorted(own):
        twins = sorted(m for m in every if m != method and m.lower() == method.lower())
        if twins:
            faults.append(f"{header}: {name}::{method} beside {', '.join(twins)}")
print("\n".join(faults) or "no two methods of a class differ only in case")
sys.exit(1 if faults else 0)
