#!/usr/bin/env bash
# The owner's measure of the tests' size: non-blank lines in tests/ and fuzz/
# against those of the rest of the tracked code (C/C++, shell, Python,
# CMake; bench/ counts in neither). Prints "TESTS CODE RATIO".
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files | grep -E '\.(cpp|h|c|sh|py|cmake)$|(^|/)CMakeLists\.txt$|^scripts/[^.]+$' | while read -r f; do
    [ -f "$f" ] || continue
    n=$(grep -cv '^[[:space:]]*$' "$f" || true)
    case "$f" in tests/* | fuzz/*) echo "t $n" ;; bench/*) ;; *) echo "c $n" ;; esac
done | awk '{ s[$1] += $2 } END { printf "%d %d %.3f\n", s["t"], s["c"], s["t"] / s["c"] }'
