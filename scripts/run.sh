#!/usr/bin/env bash
# Builds the saver and shows the full-screen clock on the current display.
# Without a display it runs the clock for a few seconds in a virtual one and
# saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting the clock; any key, click or mouse movement ends it."
  exec ./build/veltrane /s
fi

shot=build/clock-screenshot.png
echo "No display: running the clock in a virtual 1920x1080 display for 4 seconds."
Xvfb :77 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do DISPLAY=:77 xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=:77 ./build/veltrane /s 2>/dev/null &
saver=$!
sleep 4
DISPLAY=:77 xwd -root -silent | convert xwd:- "$shot"
DISPLAY=:77 xdotool key space
wait $saver || true
echo "Screenshot saved in $(pwd)/$shot"
