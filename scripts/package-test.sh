#!/usr/bin/env bash
# Builds the Debian package afresh and checks it as a distribution would: lintian, AppStream
# and desktop-entry validation, then installs it with apt, starts the installed calculator on
# Xvfb with openbox until its main window shows, closes it and removes the package again.
# Usage: scripts/package-test.sh [build-dir]   (default: build-pkg, emptied first)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build-pkg"}
. "$here/scripts/packages.sh"

ensure_packages cmake ninja-build g++ dpkg-dev qt6-base-dev qt6-svg-dev help2man lintian \
  appstream desktop-file-utils xvfb xauth x11-utils openbox xdotool

echo "== Building the package in $build"
rm -rf "$build"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZANVORO_BUILD_TESTS=OFF -DZANVORO_BUILD_BENCH=OFF
cmake --build "$build"
(cd "$build" && cpack -G DEB)
debs=("$build"/zanvoro_*.deb)
((${#debs[@]} == 1)) || { echo "expected one zanvoro_*.deb in $build" >&2; exit 1; }
deb=${debs[0]}

echo "== lintian $(basename "$deb")"
# Every tag shown, pedantic and informational ones too; an error or a warning fails.
# lintian exits 1 on an error tag; the tags are shown and judged below either way.
tags=$(lintian --pedantic -I "$deb" 2>/dev/null || true)
[ -n "$tags" ] && echo "$tags"
if grep -qE '^[EW]: ' <<<"$tags"; then
  echo "lintian reports errors or warnings" >&2
  exit 1
fi

work=$(mktemp -d)
installed=0
new_packages=()
cleanup() {
  if ((installed)); then
    echo "== Removing the package"
    as_root apt-get remove -y -qq zanvoro >/dev/null
    if ((${#new_packages[@]})); then
      as_root apt-get purge -y -qq "${new_packages[@]}" >/dev/null
    fi
  fi
  rm -rf "$work"
}
trap cleanup EXIT

echo "== AppStream metadata and desktop entry"
dpkg-deb -x "$deb" "$work/root"
metainfo=("$work"/root/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${metainfo[@]}"
id=$(basename "${metainfo[0]}" .metainfo.xml)
[ -f "$work/root/usr/share/applications/$id.desktop" ] ||
  { echo "no desktop entry named after the application id $id" >&2; exit 1; }
desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
# The batch command comes with its manual page, or neither is packaged.
batch=0 page=0
[ -e "$work/root/usr/bin/zanvoro-batch" ] && batch=1
[ -e "$work/root/usr/share/man/man1/zanvoro-batch.1.gz" ] && page=1
((batch == page)) || { echo "zanvoro-batch and its manual page come only together" >&2; exit 1; }

echo "== Installing $(basename "$deb")"
if dpkg-query -W -f='${Status}' zanvoro 2>/dev/null | grep -q 'install ok installed'; then
  echo "zanvoro is installed already: remove it first, the test installs and removes its own" >&2
  exit 1
fi
# What apt adds beside the package goes again with it.
mapfile -t new_packages < <(apt-get install --simulate -qq "$deb" 2>/dev/null |
  sed -n 's/^Inst \([^ ]*\) .*/\1/p' | grep -vx zanvoro || true)
installed=1
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
for program in zanvoro $( ((batch)) && echo zanvoro-batch); do
  [ -x "/usr/bin/$program" ] || { echo "/usr/bin/$program missing" >&2; exit 1; }
done
((batch)) && /usr/bin/zanvoro-batch --version

echo "== Starting the installed calculator on Xvfb with openbox"
lang=C.UTF-8
locale -a | grep -qix 'ja_JP.utf8' && lang=ja_JP.UTF-8
LANG=$lang LC_ALL=$lang QT_QPA_PLATFORM=xcb \
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  openbox --sm-disable >"$1/openbox.log" 2>&1 &
  wm=$!
  # The window manager first, so that the window is framed and can be activated (openbox
  # may take seconds on a loaded machine).
  "$2/scripts/wait-for-wm.sh" || { cat "$1/openbox.log" >&2; exit 1; }
  /usr/bin/zanvoro >"$1/zanvoro.log" 2>&1 &
  app=$!
  status=1 window=
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name "^Zanvoro!Pro\$" 2>/dev/null | head -n1)
    [ -n "$window" ] && break
    kill -0 "$app" 2>/dev/null || { wait "$app"; echo "the calculator quit ($?)" >&2; break; }
    sleep 0.2
  done
  if [ -n "$window" ]; then
    echo "main window Zanvoro!Pro shown ($window)"
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
    for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$app" 2>/dev/null; then
      echo "the calculator did not quit when its main window was closed" >&2
    else
      status=0
    fi
  elif kill -0 "$app" 2>/dev/null; then
    echo "the main window Zanvoro!Pro did not show within 60 s; the windows shown:" >&2
    xwininfo -root -tree >&2
  fi
  kill "$app" "$wm" 2>/dev/null
  wait "$app" 2>/dev/null
  if ((status)); then cat "$1/zanvoro.log" >&2; fi
  exit "$status"' package-test "$work" "$here"

echo "== Package test passed"
