#!/usr/bin/env bash
# Usage: install_layout_test.sh CMAKE BUILD_DIR
# Installs the build into a temporary prefix, checks that every file lands where
# the desktop looks for it, then moves the prefix and runs stirpa from there: the
# batch commands, the Qt programs it starts and the installed template.
set -euo pipefail
cmake="$1"
build="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix/usr" >/dev/null

status=0
for file in \
  bin/stirpa \
  libexec/stirpa/stirpa-editor \
  libexec/stirpa/stirpa-render \
  share/applications/org.stirpa.Stirpa.desktop \
  share/mime/packages/stirpa-chart.xml \
  share/metainfo/org.stirpa.Stirpa.metainfo.xml \
  share/man/man1/stirpa.1 \
  share/icons/hicolor/scalable/apps/org.stirpa.Stirpa.svg \
  share/stirpa/sample.txt \
  share/stirpa/sample01.txt \
  share/stirpa/sample02.txt \
  share/stirpa/Stirpa.hlp \
  share/stirpa/person_dialog.png \
  share/stirpa/web/stirpa_full.html; do
  [ -s "$prefix/usr/$file" ] || { echo "not installed: $file"; status=1; }
done
grep -q '^\.SH SYNOPSIS' "$prefix/usr/share/man/man1/stirpa.1" || { echo "stirpa.1 has no synopsis"; status=1; }
# The software-centre entry finds its launcher, and the launcher its icon.
appstreamcli validate-tree --no-net "$prefix" >/dev/null || { echo "validate-tree failed"; status=1; }
icon="$(sed -n 's/^Icon=//p' "$prefix/usr/share/applications/org.stirpa.Stirpa.desktop")"
[ -f "$prefix/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || { echo "no icon $icon"; status=1; }

# stirpa itself loads no Qt.
case "$(readelf -d "$prefix/usr/bin/stirpa")" in
  *"Shared library: [libQt"*) echo "bin/stirpa links Qt"; status=1 ;;
esac

# Everything is found from where stirpa is, wherever the prefix went.
mv "$prefix/usr" "$prefix/moved"
usr="$prefix/moved"
mkdir "$prefix/site"
cd "$prefix/site"
# Without a template in the current folder the installed one is used.
"$usr/bin/stirpa" --export-html "$usr/share/stirpa/sample.txt" sample.html --complete-page
grep -q 'Hilda Oakes' sample.html || { echo "the export lacks the sample's boxes"; status=1; }
# --render says nothing when all goes well, whatever the language.
err="$(env -u XDG_RUNTIME_DIR "$usr/bin/stirpa" --lang de --render "$usr/share/stirpa/sample.txt" sample.svg 2>&1)" ||
  { echo "--render failed: $err"; status=1; }
[ -z "$err" ] || { echo "--render printed: $err"; status=1; }
grep -q 'Hilda Oakes' sample.svg || { echo "the render lacks the sample's boxes"; status=1; }
# A first run warns of nothing: the sample's continuation boxes lead to its
# other charts (the book's pages written are told on standard output), and the
# editor keeps Qt's notices ("XDG_RUNTIME_DIR not set") to itself.
err="$(for chart in sample01 sample02 sample; do
  "$usr/bin/stirpa" --export-html "$usr/share/stirpa/$chart.txt" "$chart.html" --complete-page 2>&1 >/dev/null; done
  env -u XDG_RUNTIME_DIR HOME="$prefix" QT_QPA_PLATFORM=offscreen timeout 5 "$usr/bin/stirpa" "$usr/share/stirpa/sample.txt" 2>&1 >/dev/null)" || true
[ -z "$err" ] || { echo "a first run printed: $err"; status=1; }
# The editor is started: it finds no display here and says so.
expect() {
  local want_status="$1" want_err="$2"
  shift 2
  local got_status=0
  local got_err
  got_err="$("$@" 2>&1 >/dev/null)" || got_status=$?
  [ "$got_status" = "$want_status" ] && [ "$got_err" = "$want_err" ] ||
    { echo "$*: status $got_status, '$got_err'"; status=1; }
}
expect 1 "stirpa: no display to open the editor on (set DISPLAY or WAYLAND_DISPLAY, or use --help for the batch commands)" \
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/stirpa" --lang de sample.txt
# The render program gone is named, and nothing is written.
rm "$usr/libexec/stirpa/stirpa-render"
expect 1 "stirpa: the program '$usr/libexec/stirpa/stirpa-render' is missing: Stirpa is not completely installed" \
  "$usr/bin/stirpa" --render "$usr/share/stirpa/sample.txt" gone.svg
[ ! -e gone.svg ] || { echo "a render without its program wrote gone.svg"; status=1; }
exit "$status"
