#!/bin/sh
# Builds the static Qt 6.4.2 (qtbase) and libjpeg-turbo 2.1.5 for 64-bit Windows from
# Debian 12's own source packages, with Debian's MinGW-w64 (posix threads), into one
# prefix. About 50 minutes on 2 cores for Qt, a minute for libjpeg. A part already
# installed in the prefix is not built again.
#   build-prefix.sh PREFIX WORKDIR
set -eu
prefix=$1 work=$2
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
mkdir -p "$work" "$prefix"
prefix=$(cd "$prefix" && pwd) work=$(cd "$work" && pwd)
cd "$work"
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        | $SUDO tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    $SUDO apt-get update -qq
fi
cat > mingw.cmake <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC

if [ ! -f "$prefix/lib/libQt6Widgets.a" ]; then
    [ -d qtbase-everywhere-src-6.4.2 ] || {
        apt-get source --download-only qt6-base
        tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
        # Qt 6.4.2's Windows plugin uses dynamic OpenGL even when OpenGL is off: guard it.
        sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
            qtbase-everywhere-src-6.4.2/src/plugins/platforms/windows/qwindowswindow.cpp
    }
    # Debian's +dfsg source has no wintab.h, hence no tablet events.
    cmake -G Ninja -S qtbase-everywhere-src-6.4.2 -B qtbuild \
      -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" -DQT_HOST_PATH=/usr \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
      -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF \
      -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
      -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF -DFEATURE_system_png=OFF \
      -DFEATURE_system_zlib=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
      -DFEATURE_system_pcre2=OFF
    cmake --build qtbuild --parallel
    cmake --install qtbuild
fi

if [ ! -f "$prefix/lib/libjpeg.a" ]; then
    [ -d libjpeg-turbo-2.1.5 ] || {
        apt-get source --download-only libjpeg-turbo
        tar xzf libjpeg-turbo_2.1.5.orig.tar.gz
    }
    cmake -G Ninja -S libjpeg-turbo-2.1.5 -B jpegbuild -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF \
      -DWITH_TURBOJPEG=OFF
    cmake --build jpegbuild --target install
fi
