#!/bin/sh
# Runs a test program on a real X display with the accessibility bus switched on, as
# when a screen reader is running, so that Qt sends its accessibility events.
# Usage: run_with_screen_reader_bus.sh <test program> [gtest arguments]
set -e
for tool in Xvfb dbus-run-session gdbus; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed"; exit 77; }
done
# A runtime folder of its own, so that the accessibility bus's socket is not shared with
# another run of the same user.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
dbus-run-session -- sh -c '
    set -e
    exec 3>&1
    display=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$display" 2>/dev/null &
    xvfb=$!
    trap "kill $xvfb 2>/dev/null" EXIT
    for _ in $(seq 50); do [ -s "$display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$display")" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
        --method org.freedesktop.DBus.Properties.Set org.a11y.Status IsEnabled "<true>" >/dev/null
    "$@"
' sh "$@"
