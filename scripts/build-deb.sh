#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the Debian package the Debian way (dpkg-buildpackage with debhelper), checks it
# with lintian, and prints the folder that holds mousecfg_<version>_<arch>.deb:
#   scripts/build-deb.sh [OUT_DIR]        (default build-deb/)
# The build runs on a copy of the tree, so the sources stay clean. It installs the
# package tools and the build dependencies with apt-get (as root, or through sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build-deb}")

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
tools=(dpkg-dev debhelper fakeroot lintian appstream desktop-file-utils man-db)
# debhelper-compat is a virtual package that dpkg-query never shows installed: debhelper
# stands for it, or every run would update the package lists for nothing.
build_deps=$(sed -n '/^Build-Depends:/,/^[A-Z]/p' debian/control | sed '1s/^Build-Depends://; /^[A-Z]/d' |
             tr ',' '\n' | sed 's/([^)]*)//; s/^[[:space:]]*//; s/[[:space:]]*$//' | grep -v '^$' |
             sed 's/^debhelper-compat$/debhelper/')
missing=()
for p in "${tools[@]}" $build_deps; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A fresh copy of what git knows (committed or not), without any build folder.
work="$out/work"
rm -rf "$work"
mkdir -p "$work/mousecfg"
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do
    if [ -e "$f" ]; then cp --parents -P "$f" "$work/mousecfg/"; fi
  done

# debhelper gives the build a home of its own: keep the compiler cache the developer has.
if command -v ccache >/dev/null; then
  CCACHE_DIR=$(ccache -k cache_dir 2>/dev/null || echo "$HOME/.ccache")
  export CCACHE_DIR
fi
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-parallel=${JOBS:-2} nocheck}"
(cd "$work/mousecfg" && dpkg-buildpackage -b -us -uc)

rm -f "$out"/*.deb "$out"/*.buildinfo "$out"/*.changes
mv "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes "$out/"
rm -rf "$work"
changes=$(ls "$out"/*.changes)
echo "== lintian"
lintian --info --display-info --pedantic "$changes" | tee "$out/lintian.txt" || true
if grep -q '^E: ' "$out/lintian.txt"; then
  echo "lintian reports errors (see $out/lintian.txt)" >&2
  exit 1
fi
echo "Package in $out:"
ls "$out"/*.deb
