#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and runs its tests
# under Wine in private X displays. Where Wine cannot be installed the tests
# are skipped, and the script says so.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
OUT=${VELTRANE_WINDOWS_BUILD:-$ROOT/build-windows}

if ! bash scripts/build-windows.sh; then
    if ! command -v wine >/dev/null || ! command -v x86_64-w64-mingw32-g++ >/dev/null; then
        echo "SKIPPED: the Windows tests need MinGW-w64 and Wine, which could not be installed here"
        exit 0
    fi
    echo "FAILED: the Windows build" >&2
    exit 1
fi

HOST=$(sed -n 's/^VELTRANE_HOST_BUILD:PATH=//p' "$OUT/CMakeCache.txt")
export VELTRANE_BUILD_DIR=$OUT VELTRANE_SOURCE_DIR=$ROOT
export VELTRANE_PICTURES=$HOST/generated/resources
export WINEPREFIX=$OUT/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# One prefix for all the tests, made once. Wine must not rebuild it when a
# test fakes the clock, hence the fixed update stamp.
if [ ! -f "$WINEPREFIX/.update-timestamp" ]; then
    echo "Preparing the Wine prefix (once)"
    DISPLAY= wineboot -i >"$OUT/wineboot.log" 2>&1
    wineserver -w
    echo disable >"$WINEPREFIX/.update-timestamp"
fi

# The close box of a window, as a window manager clicks it.
mkdir -p "$OUT/tools"
cc -O1 -o "$OUT/tools/close_window" tests/dialog/close_window.c -lX11 || exit 1

failed=()
for t in tests/windows/*_test.sh; do
    echo "=== $t"
    start=$SECONDS
    if bash "$t"; then
        echo "--- passed in $((SECONDS - start)) s"
    else
        echo "--- FAILED in $((SECONDS - start)) s"
        failed+=("$t")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Windows tests failed: ${failed[*]}"
    exit 1
fi
echo "Windows tests passed"
