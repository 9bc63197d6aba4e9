#!/usr/bin/env bash
# Installs the Debian 12 packages Stirpa needs to build, test and run, or only
# the packages named as arguments (scripts/fuzz.sh names its own); skips what is
# already there. Without arguments it also installs the browser tests' modules
# (tests/browser, from its package-lock.json; they use Debian's chromium and
# download no browser).
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl1-mesa-dev libx11-dev fonts-liberation fonts-dejavu-core fonts-droid-fallback xvfb xauth strace libpng-dev graphviz poppler-utils librsvg2-bin
  help2man desktop-file-utils appstream shared-mime-info libglib2.0-bin chromium)
browser_tests=1
if (($#)); then
  packages=("$@")
  browser_tests=0
else
  # Node may come from elsewhere than Debian, with its own npm: only what is missing.
  command -v node >/dev/null || packages+=(nodejs)
  command -v npm >/dev/null || packages+=(npm)
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
if ((browser_tests)); then
  browser="$(dirname "$0")/../tests/browser"
  if [ ! -d "$browser/node_modules" ] || [ "$browser/package-lock.json" -nt "$browser/node_modules" ]; then
    npm ci --prefix "$browser" --ignore-scripts --no-audit --no-fund && touch "$browser/node_modules"
  fi
fi
