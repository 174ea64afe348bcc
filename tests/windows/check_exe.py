#!/usr/bin/env python3
"""What Windows reads from velmora.exe before it runs a line of it, and what the portable
zip holds: the PE header's Windows version, the icon in every size, the version
information, the manifest, and the licence files beside the program.

    check_exe.py --program build-windows/velmora.exe --zip build-windows/velmora-1.0-windows.zip

Exit status: 0 passed, 1 failed, 77 skipped because objdump or wrestool (icoutils) is missing."""

import argparse
import re
import shutil
import struct
import subprocess
import sys
import zipfile

SKIPPED = 77
OBJDUMP = "x86_64-w64-mingw32-objdump"
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


def resource(program, kind):
    return subprocess.run(["wrestool", "-x", "--raw", f"--type={kind}", program],
                          capture_output=True, check=True).stdout


def version_strings(data):
    """The name/value pairs of a VERSIONINFO resource's string tables, in order."""
    text = data.decode("utf-16-le", errors="replace")
    names = "CompanyName|FileDescription|FileVersion|LegalCopyright|ProductName|ProductVersion"
    return re.findall(rf"({names})\0+([^\0]*)", text)


def problems(program, archive):
    found = []
    header = subprocess.run([OBJDUMP, "-p", program], capture_output=True, text=True, check=True).stdout
    for field in ("MajorOSystemVersion", "MajorSubsystemVersion"):
        value = re.search(rf"^{field}\s+(\d+)", header, re.M)
        if not value or value.group(1) != "10":
            found.append(f"{field} is {value and value.group(1)}, not 10 (Windows 10)")
    if "Resource Directory [.rsrc]" not in header:
        found.append("no resource directory")

    group = resource(program, 14)  # the icon group: a header, then 14 bytes per image
    count = struct.unpack_from("<H", group, 4)[0] if len(group) >= 6 else 0
    sides = sorted(group[6 + 14 * i] or 256 for i in range(count))
    if sides != [16, 24, 32, 48, 64, 128, 256]:
        found.append(f"the icon's sizes are {sides}")

    strings = version_strings(resource(program, 16))
    for name, value in (("ProductName", "Velmora"), ("FileVersion", "1.0.0.0"), ("ProductVersion", "1.0.0.0")):
        if (name, value) not in strings:
            found.append(f"no {name} {value!r} in the version information: {strings}")
    for name in ("CompanyName", "FileDescription", "LegalCopyright"):
        if not any(n == name and v for n, v in strings):
            found.append(f"no {name} in the version information")

    manifest = resource(program, 24).decode("utf-8", errors="replace")
    for needed in (WINDOWS_10, "PerMonitorV2", 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
                   'level="asInvoker"'):
        if needed not in manifest:
            found.append(f"the manifest lacks {needed}")

    names = zipfile.ZipFile(archive).namelist()
    for needed in ("velmora.exe", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt", "dris/1.jpg"):
        if not any(n.endswith("/" + needed) for n in names):
            found.append(f"the zip holds no {needed}")
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True)
    parser.add_argument("--zip", required=True)
    args = parser.parse_args()
    missing = [tool for tool in (OBJDUMP, "wrestool") if shutil.which(tool) is None]
    if missing:
        print(f"SKIPPED: missing {', '.join(missing)} (tools/windows/build.sh installs them)")
        return SKIPPED
    found = problems(args.program, args.zip)
    for problem in found:
        print(f"FAILED: {problem}")
    if not found:
        print("PASSED: header, icon, version information, manifest and licence files")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
