#!/usr/bin/env bash
# Installs the Debian packages the project needs (scripts/packages.sh, only
# what is missing) and builds it in ./build. Safe to run again.
#   scripts/setup.sh [GROUP...]    package groups, default: build dialog test
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/packages.sh "$@"
cmake --preset default >/dev/null
cmake --build --preset default
