#!/bin/sh
# Runs a Windows program under Wine in the build folder's own Wine prefix, quietly and
# without the first start's Mono and Gecko prompts. ctest starts every Windows test
# program through this script.
: "${WINEPREFIX:=$HOME/.wine}"
export WINEPREFIX
# No desktop entries of Start-menu shortcuts in the home folder either.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A test's output is read until every process holding it has ended. The first Wine
# program of a session boots it (wineboot, services, the desktop), and those processes
# inherited its output and lived as long as the session: ctest waited for them long
# after the test had ended, in parallel runs for minutes, and each test that booted a
# session paid seconds for it. So the session is started and booted here, its processes
# writing nowhere and not holding the lock that lets only one caller boot it. Debian's
# wineserver stops the moment its last program ends (-p0); this one stays 20 s more, so
# that the tests of a run share one session.
mkdir -p "$(dirname "$WINEPREFIX")"
flock -o "$WINEPREFIX.lock" sh -c '
    if wineserver -p20; then wine wineboot; fi' </dev/null >/dev/null 2>&1
exec wine "$@"
