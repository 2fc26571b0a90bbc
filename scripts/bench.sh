#!/usr/bin/env bash
# Runs the benchmarks: redraw time and memory, the running saver's CPU with
# sounds off and with the tick on, then the clock's sounds alone (their
# onsets and their cost with the sound server's).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null
cmake --build build --target redraw_bench -j"$(nproc)" >/dev/null
for style in 0 8; do ./build/bench/redraw_bench build/morviksoft/veltrane $style; done
bash bench/saver_cpu.sh build "${1:-60}"
bash bench/saver_cpu.sh build "${1:-60}" tick
bash bench/sound_bench.sh build "${1:-60}"
