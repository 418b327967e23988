#!/bin/sh
# SPDX-License-Identifier: GPL-2.0-or-later
# Redraws the pictures compiled into the widget kit: the loading animation
# (":/skin/loading.gif") and the Yes/No button icons. Qt cannot write GIF, so the
# generator draws the frames and ImageMagick assembles them. Commit the results.
#   tools/skingen/make-resources.sh BUILD_DIR
set -eu
build=${1:?usage: $0 BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../widgets/resources"
gen="$build/tools/skingen/mousecfg_skingen"
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT

cmake --build "$build" --target mousecfg_skingen
"$gen" --data "$here/../../data" --loading-frames "$frames"
"$gen" --data "$here/../../data" --resources "$out"
# 24 frames at 40 ms: one turn in a little under a second. Each frame replaces the last.
convert -delay 4 -loop 0 -dispose Background "$frames"/frame*.png "$out/loading.gif"
echo "wrote $out/loading.gif, yes_Btn.png, no_Btn.png"
