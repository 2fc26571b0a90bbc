#!/usr/bin/env bash
# Shows the full-screen clock, built from this folder: it installs only the
# Debian packages the clock needs (scripts/packages.sh build) and builds only
# the program, without its settings dialog or the tests, in build-run/
# (cmake --preset run). Without a display it also installs the group "show"
# and runs the clock for a few seconds in a virtual display, saving a
# screenshot. Everything else, and the tests: scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

# A display that answers: asked with xdpyinfo where it is installed, else by
# the local server's socket.
has_display() {
    [ -n "${DISPLAY:-}" ] || return 1
    if command -v xdpyinfo >/dev/null; then xdpyinfo >/dev/null 2>&1; return; fi
    local number=${DISPLAY#*:}
    [ -n "${DISPLAY%%:*}" ] || [ -S "/tmp/.X11-unix/X${number%%.*}" ]
}

if has_display; then
    bash scripts/packages.sh build
else
    bash scripts/packages.sh build show
fi
cmake --preset run >/dev/null
cmake --build --preset run
echo "Built in $SECONDS s."

if has_display; then
    echo "Starting the clock; any key, click or mouse movement ends it."
    exec ./build-run/veltrane /s
fi

shot=build-run/clock-screenshot.png
echo "No display: running the clock in a virtual 1920x1080 display for 4 seconds."
. scripts/xvfb.sh
start_xvfb 1920x1080
trap stop_xvfb EXIT
./build-run/veltrane /s 2>/dev/null &
saver=$!
sleep 4   # what a person would look at; nothing waits on it
xwd -root -silent | convert xwd:- "$shot"
kill -TERM "$saver"   # ends it with 0, as a key would
wait "$saver" || true
echo "Screenshot saved in $(pwd)/$shot"
