#!/bin/bash
# Sets up this Debian 12 machine for the Windows build and makes the Windows package:
# velmora.exe, the installer velmora-1.0-setup.exe, the MSI and the portable zip, in the build
# folder (build-windows/ by default). With --test, also runs the Windows tests under Wine.
#
#   tools/windows/build.sh [--prebuilt FOLDER|TARBALL] [--build-dir DIR] [--test]
#
# The static Qt and libjpeg for Windows come from, in this order: --prebuilt (or
# VELMORA_WINDOWS_PREBUILT), a folder holding qt6-mingw64/ or the tarball
# qt6-mingw64-static.tar.xz; what an earlier run left in the cache folder
# (VELMORA_WINDOWS_CACHE, by default ~/.cache/velmora-windows); otherwise they are
# built there from Debian's source packages, which takes about 50 minutes on 2 cores.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
prebuilt=${VELMORA_WINDOWS_PREBUILT:-}
build=$root/build-windows
cache=${VELMORA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velmora-windows}
run_tests=no
while [ $# -gt 0 ]; do
    case $1 in
        --prebuilt) prebuilt=$2; shift 2 ;;
        --build-dir) build=$2; shift 2 ;;
        --test) run_tests=yes; shift ;;
        *) echo "usage: $0 [--prebuilt FOLDER|TARBALL] [--build-dir DIR] [--test]" >&2; exit 2 ;;
    esac
done

if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
needed="g++-mingw-w64-x86-64-posix wine wine64 nsis nasm ninja-build cmake dpkg-dev xz-utils googletest icoutils wixl
        qt6-base-dev qt6-base-dev-tools xvfb xauth xdotool xclip imagemagick python3"
missing=
for package in $needed; do dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"; done
if [ -n "$missing" ]; then
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# The prefix: a given folder is used where it is; a tarball is unpacked into the cache.
prefix=
if [ -n "$prebuilt" ]; then
    if [ -f "$prebuilt/qt6-mingw64-static.tar.xz" ]; then prebuilt=$prebuilt/qt6-mingw64-static.tar.xz; fi
    if [ -f "$prebuilt/qt6-mingw64/lib/libQt6Widgets.a" ]; then prebuilt=$prebuilt/qt6-mingw64; fi
    if [ -f "$prebuilt/lib/libQt6Widgets.a" ]; then
        prefix=$(cd "$prebuilt" && pwd)
    elif [ -f "$prebuilt" ]; then
        if [ ! -f "$cache/qt6-mingw64/lib/libQt6Widgets.a" ] || [ "$prebuilt" -nt "$cache/qt6-mingw64/.unpacked" ]; then
            echo "Unpacking $prebuilt into $cache"
            rm -rf "$cache/qt6-mingw64" && mkdir -p "$cache"
            tar xJf "$prebuilt" -C "$cache"
            touch "$cache/qt6-mingw64/.unpacked"
        fi
        prefix=$cache/qt6-mingw64
    else
        echo "$prebuilt holds no static Qt for Windows" >&2
        exit 1
    fi
else
    prefix=$cache/qt6-mingw64
    if [ ! -f "$prefix/lib/libQt6Widgets.a" ] || [ ! -f "$prefix/lib/libjpeg.a" ]; then
        echo "Building Qt and libjpeg for Windows from Debian's sources into $cache (about 50 minutes on 2 cores)"
        "$root/tools/windows/build-prefix.sh" "$prefix" "$cache/work"
    fi
fi

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DVELMORA_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}"
cmake --build "$build" -j"$(nproc)"
echo "Built: $build/velmora.exe, $build/velmora-1.0-setup.exe, $build/velmora-1.0.msi, $build/velmora-1.0-windows.zip"
if [ "$run_tests" = yes ]; then
    ctest --test-dir "$build" -j"$(nproc)" --output-on-failure
fi
