#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds build/ and starts Quorvex with the given
# command line (its arguments are joined by blanks into one command line).
set -euo pipefail
QUORVEX_ROOT=$(cd "$(dirname "$0")" && pwd)
. "$QUORVEX_ROOT/scripts/deps.sh"
quorvex_install_missing "${QUORVEX_BUILD_PACKAGES[@]}"
quorvex_build "$QUORVEX_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
exec "$QUORVEX_ROOT/build/quorvex" "$@"
