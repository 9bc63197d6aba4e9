#!/usr/bin/env bash
# Installs the Debian 12 packages Stirpa needs to build, test and run, or only
# the packages named as arguments (scripts/fuzz.sh names its own); skips what is
# already there.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl1-mesa-dev libx11-dev fonts-liberation fonts-dejavu-core fonts-droid-fallback xvfb xauth strace libpng-dev graphviz poppler-utils librsvg2-bin
  help2man desktop-file-utils appstream shared-mime-info libglib2.0-bin)
if (($#)); then
  packages=("$@")
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
