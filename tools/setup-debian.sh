#!/bin/sh
# Installs what building, running and testing Velmora needs on Debian 12.
set -e
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg62-turbo-dev \
    libgtest-dev libbenchmark-dev fonts-liberation \
    xvfb xauth xdotool xclip imagemagick x11-utils openbox libxcb1-dev locales \
    python3 python3-pyatspi desktop-file-utils appstream dpkg-dev dbus at-spi2-core clang-14 libclang-rt-14-dev \
    orca speech-dispatcher speech-dispatcher-audio-plugins dbus-x11 x11-xserver-utils procps >/dev/null
# A Russian locale, whose decimal comma the tests read as a pupil's desktop would give it.
locale -a 2>/dev/null | grep -qi '^ru_RU.utf8$' || $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
