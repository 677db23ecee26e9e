#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails, naming the files, when a source, build or script file of the project
# lacks its licence line in the first three lines.
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"
missing=0
while IFS= read -r -d '' f; do
    if ! head -n 3 "$f" | grep -q "SPDX-License-Identifier: GPL-3.0-or-later"; then
        echo "no licence line: $f" >&2
        missing=1
    fi
done < <(find src tests tools bench fuzz scripts cmake packaging/man \
    \( -path '*/data' -o -path 'tests/home' \) -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name '*.cmake.in' \
    -o -name 'CMakeLists.txt' -o -name '*.sh' -o -name '*.1' \) -print0;
    printf '%s\0' CMakeLists.txt run.sh test.sh .ci/run bench/run)
exit "$missing"
