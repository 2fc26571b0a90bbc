#!/usr/bin/env bash
# Exec to first picture: the full-screen clock beside xclock, started in turn
# in one private 1920x1080 display, RUNS times each; prints the minimum,
# median and maximum of each, in ms. The clock's first picture is its
# background; "face" is the time until its face shows too.
#   bench/first_frame.sh BUILD_DIR [RUNS]
set -euo pipefail
BUILD=$(cd "${1:?build dir}" && pwd)
RUNS=${2:-20}
cmake --build "$BUILD" --target first_frame >/dev/null
WORK=$(mktemp -d)
. "$(dirname "$0")/../scripts/xvfb.sh"
trap 'stop_xvfb; rm -rf "$WORK"' EXIT
start_xvfb 1920x1080
mkdir -p "$WORK/config/veltrane"
printf '[saver]\nclockType = 0\nsecondHand = 1\n' > "$WORK/config/veltrane/veltrane.cfg"
export XDG_CONFIG_HOME=$WORK/config
for _ in $(seq "$RUNS"); do
    "$BUILD/bench/first_frame" 5 5 "$BUILD/veltrane" /s >> "$WORK/veltrane"
    "$BUILD/bench/first_frame" 960 200 "$BUILD/veltrane" /s >> "$WORK/face"
    "$BUILD/bench/first_frame" 5 5 xclock -analog -update 1 -geometry 1920x1080+0+0 >> "$WORK/xclock"
done
summary() { sort -n "$WORK/$1" | awk -v n="$2" '{ v[NR] = $1 } END {
    printf "| %s | %.1f | %.1f | %.1f |\n", n, v[1], v[int((NR + 1) / 2)], v[NR] }'; }
printf '| exec to first picture, ms (%s runs) | min | median | max |\n|---|---|---|---|\n' "$RUNS"
summary veltrane "veltrane /s: its background"
summary face "veltrane /s: its face"
summary xclock "xclock -analog -update 1"
