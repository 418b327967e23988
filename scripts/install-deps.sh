#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs what building, running and testing need on Debian 12, plus any packages named as
# arguments (the sanitizer and fuzzing scripts add clang). Safe to run again.
set -euo pipefail
pkgs=("$@" build-essential cmake pkg-config ccache
      qtbase5-dev qttools5-dev qttools5-dev-tools
      libhidapi-dev libudev-dev libfontconfig-dev libpng-dev
      umockdev libumockdev-dev
      libx11-dev libxi-dev dbus weston qtwayland5
      xvfb xauth xdotool x11-utils imagemagick fonts-liberation fonts-dejavu-core)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
