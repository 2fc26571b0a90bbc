#!/usr/bin/env bash
# Builds everything and runs the whole test suite:
#   1. the main suite in build/ (unit, end-to-end and the package)
#   2. scripts/test-hardening.sh: the display-free and the hardening tests
#      under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz
#      smoke runs
#   3. the Windows program (cmake --preset windows) under Wine (label wine)
#   --quick   only the main suite
set -euo pipefail
cd "$(dirname "$0")/.."
quick=${1:-}
part() { echo "=== $* ($SECONDS s)"; }
part setup
if [ "$quick" = --quick ]; then
  bash scripts/setup.sh build dialog test package
else
  bash scripts/setup.sh build dialog test package windows
fi

status=0
part "main suite"
ctest --preset default || status=1
if [ "$quick" != --quick ]; then
  part "sanitizers and fuzzing"
  bash scripts/test-hardening.sh || status=1
  part "Windows"
  { cmake --preset windows >/dev/null && cmake --build --preset windows; } || status=1
  ctest --preset windows || status=1
fi
part "done, status $status"
exit $status
