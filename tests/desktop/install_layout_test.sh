#!/usr/bin/env bash
# Usage: install_layout_test.sh CMAKE BUILD_DIR
# Installs the build into a temporary prefix, checks that every file lands where
# the desktop looks for it, and publishes the installed sample from elsewhere.
set -euo pipefail
cmake="$1"
build="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix/usr" >/dev/null

status=0
for file in \
  bin/stirpa \
  share/applications/org.stirpa.Stirpa.desktop \
  share/mime/packages/stirpa-chart.xml \
  share/metainfo/org.stirpa.Stirpa.metainfo.xml \
  share/man/man1/stirpa.1 \
  share/icons/hicolor/scalable/apps/org.stirpa.Stirpa.svg \
  share/stirpa/sample.txt \
  share/stirpa/Stirpa.hlp \
  share/stirpa/web/stirpa_full.html; do
  [ -s "$prefix/usr/$file" ] || { echo "not installed: $file"; status=1; }
done
grep -q '^\.SH SYNOPSIS' "$prefix/usr/share/man/man1/stirpa.1" || { echo "stirpa.1 has no synopsis"; status=1; }
# The software-centre entry finds its launcher, and the launcher its icon.
appstreamcli validate-tree --no-net "$prefix" >/dev/null || { echo "validate-tree failed"; status=1; }
icon="$(sed -n 's/^Icon=//p' "$prefix/usr/share/applications/org.stirpa.Stirpa.desktop")"
[ -f "$prefix/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || { echo "no icon $icon"; status=1; }

# Without a template in the current folder the installed one is used.
mkdir "$prefix/site"
cd "$prefix/site"
"$prefix/usr/bin/stirpa" --export-html "$prefix/usr/share/stirpa/sample.txt" sample.html --complete-page
grep -q 'Hilda Oakes' sample.html || { echo "the export lacks the sample's boxes"; status=1; }
exit "$status"
