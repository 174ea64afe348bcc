#!/bin/sh
# Installs what Velmora needs on Debian 12, as root or through sudo.
#
#   tools/setup-debian.sh             building and running the program
#   tools/setup-debian.sh --package   that, and building its Debian package
#   tools/setup-debian.sh --tests     that, and every test: GoogleTest, Google Benchmark,
#                                     the X tools, openbox, the screen reader, clang, ...
#
# Recommended packages are left out, so each list is all that comes.
set -e
case "${1-}" in
    "") tests=false package=false ;;
    --package) tests=false package=true ;;
    --tests) tests=true package=true ;;
    *) echo "usage: tools/setup-debian.sh [--package | --tests]" >&2; exit 2 ;;
esac

# Building and running: the compiler, CMake, Qt's Widgets, libjpeg, the XCB headers a
# held key is read through, the windows' font and the locales.
packages="cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg62-turbo-dev libxcb1-dev
    fonts-liberation locales"
# The Debian package: dpkg-shlibdeps fills in its library dependencies.
if $package; then
    packages="$packages dpkg-dev"
fi
# The tests: the unit tests and benchmarks; the end-to-end scenarios on Xvfb, driven with
# xdotool and xclip and grabbed with ImageMagick, two under openbox; the installed
# program's files checked; the screen reader's view over AT-SPI and Orca with its speech
# server; the fuzz targets, which need clang.
if $tests; then
    packages="$packages libgtest-dev libbenchmark-dev
        xvfb xauth xdotool xclip imagemagick x11-utils x11-xserver-utils openbox procps python3
        desktop-file-utils appstream
        dbus dbus-x11 at-spi2-core python3-pyatspi orca speech-dispatcher speech-dispatcher-audio-plugins
        clang-14 libclang-rt-14-dev"
fi

if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086 # the list is split into its package names
$SUDO apt-get install -y -qq --no-install-recommends $packages >/dev/null
# A Russian locale, whose decimal comma the program shows as a pupil's desktop gives it.
locale -a 2>/dev/null | grep -qi '^ru_RU.utf8$' || $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
