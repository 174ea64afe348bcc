#!/usr/bin/env python3
"""Start-up of velmora.exe's start-up probe against a bare Qt window built the same way
(static, stripped), both under Wine on a private Xvfb display with Windows' own platform
plugin. Each run is timed from starting the process to its end, which follows its first
painted window; the two programs run alternately after one unmeasured run of each.

    tools/windows/bench-startup.py build-windows [runs]"""

import os
import statistics
import subprocess
import sys
import time

sys.dont_write_bytecode = True
REPOSITORY = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPOSITORY, "tests", "e2e"))
from xsession import Display  # noqa: E402

WINE = os.path.join(REPOSITORY, "tools", "windows", "wine.sh")


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 11
    programs = {"velmora": os.path.join(build, "bench_startup_probe.exe"),
                "bare Qt": os.path.join(build, "bench_minimal_qt.exe")}
    display = Display()
    try:
        env = dict(display.env, WINEPREFIX=os.path.join(build, "wineprefix-bench"), QT_QPA_PLATFORM="windows")
        # Keeps the Wine server and its desktop process up between runs, as on a running desktop.
        keeper = subprocess.Popen([WINE, "cmd", "/c", "pause"], env=env, stdin=subprocess.PIPE,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times = {name: [] for name in programs}
        try:
            for round_ in range(runs + 1):
                for name, program in programs.items():
                    started = time.monotonic()
                    result = subprocess.run([WINE, program], env=env, cwd=REPOSITORY, capture_output=True, timeout=120)
                    elapsed = time.monotonic() - started
                    if result.returncode != 0 or b"painted_ns=" not in result.stdout:
                        sys.exit(f"{program} failed: {result.stderr.decode(errors='replace')}")
                    if round_ > 0:
                        times[name].append(elapsed)
        finally:
            keeper.kill()
    finally:
        display.close()
    medians = {name: statistics.median(values) * 1000 for name, values in times.items()}
    print(f"| Start-up under Wine to first painted window, process start to end (median of {runs}) "
          f"| {medians['velmora']:.0f} ms | {medians['bare Qt']:.0f} ms | {medians['velmora'] / medians['bare Qt']:.2f} x |")
    for name, program in programs.items():
        print(f"{name}: {os.path.getsize(program) / 1e6:.1f} MB, runs {sorted(round(t * 1000) for t in times[name])} ms")
    velmora = os.path.join(build, "velmora.exe")
    print(f"velmora.exe: {os.path.getsize(velmora)} bytes ({os.path.getsize(velmora) / 1e6:.1f} MB)")


if __name__ == "__main__":
    main()
