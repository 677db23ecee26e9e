#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds build/ and runs every test, then does the same
# in build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer, then runs
# each libFuzzer target for a bounded time (build-fuzz/, with clang).
set -euo pipefail
QUORVEX_ROOT=$(cd "$(dirname "$0")" && pwd)
. "$QUORVEX_ROOT/scripts/deps.sh"
quorvex_install_missing "${QUORVEX_BUILD_PACKAGES[@]}" "${QUORVEX_TEST_PACKAGES[@]}"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

status=0
quorvex_build "$QUORVEX_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$QUORVEX_ROOT/build" --output-on-failure -j "$jobs" || status=1
"$QUORVEX_ROOT/scripts/install_check.sh" "$QUORVEX_ROOT/build" || status=1

quorvex_build "$QUORVEX_ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQUORVEX_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$QUORVEX_ROOT/build-asan" --output-on-failure -j "$jobs" || status=1

# The packet parsers of both NCP sides, fed random bytes (30 s each by default;
# QUORVEX_FUZZ_SECONDS changes it).
"$QUORVEX_ROOT/scripts/fuzz.sh" || status=1

if [ "$status" -ne 0 ]; then
    echo "Some tests failed." >&2
fi
exit "$status"
