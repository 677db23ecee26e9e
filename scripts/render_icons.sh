#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the PNG sizes of the program's icon from its SVG drawings into
# src/app/icons/png/. Qt reads them from the program's resources (the Qt build
# here has no SVG reader) and the install puts them into the hicolor theme.
# Run it after changing an SVG; it needs rsvg-convert (package librsvg2-bin).
set -euo pipefail
icons=$(cd "$(dirname "$0")/../src/app/icons" && pwd)
mkdir -p "$icons/png"
for size in 16 24; do
    rsvg-convert -w "$size" -h "$size" "$icons/quorvex-small.svg" -o "$icons/png/quorvex-$size.png"
done
for size in 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$icons/quorvex.svg" -o "$icons/png/quorvex-$size.png"
done
