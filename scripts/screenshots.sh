#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Pictures of every page and dialog of the real window against the simulated mouse, at the
# scales 1.0, 1.25, 1.5 and 2.0 and in every language, for a person to look at:
#   scripts/screenshots.sh [OUT_DIR]     (default build/screens)
#   DPI_LEVELS=8 scripts/screenshots.sh OUT_DIR   only the DPI page, with that many levels
# Each scale runs under its own X server with the matching DPI; the window works on a copy of
# the application folder, so nothing in build/appdir changes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" --target mousecfg_screens mousecfg_skin mousecfg_translations \
  mousecfg_data mousecfg_description >/dev/null
out=$(realpath -m "${1:-$BUILD_DIR/screens}")
mkdir -p "$out"
tool="$BUILD_DIR/tools/screens/mousecfg_screens"
for dpi in 96 120 144 192; do
  work=$(mktemp -d)
  cp -r "$BUILD_DIR/appdir/." "$work/"
  rm -rf "$work/Configs" && cp -r data/Configs "$work/Configs"
  # Fixed fonts and no desktop integration: the pictures depend on the code alone.
  XDG_CONFIG_HOME="$work/xdg" xvfb-run -a -s "-screen 0 2400x1600x24 -dpi $dpi" \
    "$tool" "$work" "$out" ${DPI_LEVELS:+"$DPI_LEVELS"}
  rm -rf "$work"
done
echo "Pictures in $out"
