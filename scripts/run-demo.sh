#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs dependencies, builds, and starts the utility against the simulated mouse.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export MOUSECFG_SIMULATE=${MOUSECFG_SIMULATE:-both}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a -s '-screen 0 1280x800x24' "${BUILD_DIR:-build}/appdir/mousecfg" "$@"
fi
exec "${BUILD_DIR:-build}/appdir/mousecfg" "$@"
