#!/bin/sh
# Runs a Windows program under Wine in the build folder's own Wine prefix, quietly and
# without the first start's Mono and Gecko prompts. ctest starts every Windows test
# program through this script.
: "${WINEPREFIX:=$HOME/.wine}"
export WINEPREFIX
# No desktop entries of Start-menu shortcuts in the home folder either.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
exec wine "$@"
