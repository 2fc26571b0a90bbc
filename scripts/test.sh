#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the main suite, then the
# same suite under AddressSanitizer and UndefinedBehaviorSanitizer with the
# fuzz smoke runs, then the Windows program under Wine.
#   --quick   only the main suite
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

status=0
(cd build && ctest --output-on-failure -j2) || status=1
if [ "${1:-}" != "--quick" ]; then
  bash scripts/test-hardening.sh || status=1
  bash scripts/test-windows.sh || status=1
fi
exit $status
