#!/usr/bin/env bash
# Runs the benchmarks: redraw time and memory, then the running saver's CPU.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null
cmake --build build --target redraw_bench -j"$(nproc)" >/dev/null
for style in 0 8; do ./build/bench/redraw_bench build/morviksoft/veltrane $style; done
bash bench/saver_cpu.sh build "${1:-60}"
