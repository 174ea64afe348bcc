#!/bin/sh
# Builds the Debian package, installs it on this machine, starts the installed program
# the way its desktop entry does (under Xvfb) and removes the package again.
#   packaging/check-package.sh [build folder]      (as root, or a user with sudo)
set -e
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi

if dpkg -s velmora >/dev/null 2>&1; then
    echo "velmora is already installed; remove it first (apt-get remove velmora)" >&2
    exit 1
fi

(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/velmora_*.deb | head -n 1)
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")

$SUDO apt-get install -y "$deb"
trap '$SUDO apt-get remove -y velmora' EXIT
python3 "$root/tests/e2e/run_e2e.py" installed \
    --desktop-entry /usr/share/applications/velmora.desktop \
    --screenshots "$build/e2e-screenshots"
