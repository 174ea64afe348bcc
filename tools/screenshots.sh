#!/bin/sh
# Makes the README's pictures of the three windows (docs/*.png) from a lesson run by
# the built program on a private X display (Xvfb).
#   tools/screenshots.sh [build folder]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
exec python3 "$root/tests/e2e/run_e2e.py" screenshots --program "$build/velmora" \
    --out "$root/docs" --screenshots "$build/e2e-screenshots"
