#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets in build-fuzz/ with clang and runs each one for a
# bounded time over its seed corpus (fuzz/corpus/NAME, when there is one).
# A crash, leak of bounds or hang found fails the run; the input that did it is
# left in build-fuzz/fuzz/findings/. Skipped, with a message, without clang.
#   scripts/fuzz.sh [SECONDS per target, default 30]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${QUORVEX_FUZZ_SECONDS:-30}}
if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is not installed; the fuzz targets are skipped" >&2
    exit 0
fi
build=$root/build-fuzz
if [ ! -f "$build/build.ninja" ]; then
    CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUORVEX_FUZZ=ON -DBUILD_TESTING=OFF
fi
cmake --build "$build" --target fuzzers
status=0
mkdir -p "$build/fuzz/findings"
for fuzzer in "$build"/fuzz/*_fuzz; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    work=$build/fuzz/corpus/$name
    mkdir -p "$work"
    seeds=()
    [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
    echo "== $name for ${seconds}s"
    if ! ASAN_OPTIONS=detect_leaks=1 "$fuzzer" -max_total_time="$seconds" -timeout=5 \
        -rss_limit_mb=2048 -artifact_prefix="$build/fuzz/findings/$name-" \
        "$work" "${seeds[@]}" 2>"$build/fuzz/$name.log"; then
        tail -40 "$build/fuzz/$name.log" >&2
        status=1
    else
        grep -E "^(#[0-9]+\s+DONE|Done)" "$build/fuzz/$name.log" | tail -1 || true
    fi
done
exit "$status"
