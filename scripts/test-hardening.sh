#!/usr/bin/env bash
# The sanitizer suite and the fuzz smoke runs, each in a build of its own:
#   build-asan  under AddressSanitizer and UndefinedBehaviorSanitizer: the
#               display-free tests and the end-to-end tests of input, files
#               and faults (label "hardening")
#   build-fuzz  the libFuzzer targets (clang), seeds and regressions replayed,
#               then a short run of each
set -euo pipefail
cd "$(dirname "$0")/.."
SRC=$PWD
JOBS=${JOBS:-2}
FUZZ_SECONDS=${FUZZ_SECONDS:-20}

# Third-party libraries keep some allocations until exit; the art generator
# runs at build time, so the suppressions apply to the build as well.
# verify_asan_link_order=0: the tests preload libfaketime ahead of the
# sanitizer runtime, which is harmless here.
# allocator_may_return_null=1: a picture file cut inside its header makes
# Allegro ask for an impossible bitmap; malloc answers NULL, the loader
# returns no picture and the saver goes on without it. The sanitizer would
# otherwise stop the program at that request.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:verify_asan_link_order=0:allocator_may_return_null=1}
export LSAN_OPTIONS=suppressions=$SRC/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake -S . -B build-asan -DVELTRANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-asan -j"$JOBS"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DVELTRANE_FUZZ=ON \
    -DVELTRANE_FUZZ_SMOKE_SECONDS="$FUZZ_SECONDS" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$JOBS" --target fuzz

status=0
ctest --test-dir build-asan --output-on-failure -j"$JOBS" -LE e2e || status=1
ctest --test-dir build-asan --output-on-failure -j"$JOBS" -L hardening || status=1
ctest --test-dir build-fuzz --output-on-failure -j"$JOBS" -L fuzz || status=1
exit $status
