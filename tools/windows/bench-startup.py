#!/usr/bin/env python3
"""Start-up of velmora.exe's start-up probe against a bare Qt window built the same way
(static, stripped), both under Wine on a private Xvfb display with Windows' own platform
plugin. Each run is timed from starting the process to its end, which follows its first
painted window, so Wine's own start is in both; the two programs run alternately after one
unmeasured run of each.

    tools/windows/bench-startup.py build-windows [runs]"""

import os
import shutil
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
    prefix = os.path.join(build, "wineprefix-bench")
    # A fresh Wine prefix with nothing running: Wine's desktop process stays on the display
    # it started on.
    stop_wine = ["wineserver", "-k"]
    subprocess.run(stop_wine, env=dict(os.environ, WINEPREFIX=prefix), capture_output=True)
    shutil.rmtree(prefix, ignore_errors=True)
    display = Display()
    try:
        env = dict(display.env, WINEPREFIX=prefix, QT_QPA_PLATFORM="windows")
        # The prefix is made before the first run. Each run then starts Wine's server and
        # desktop process anew (a console program kept waiting to hold them made the
        # start-up probe hang), which both programs pay alike.
        subprocess.run([WINE, "wineboot", "-i"], env=env, capture_output=True, timeout=300)
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
            subprocess.run(stop_wine, env=env, capture_output=True)
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
