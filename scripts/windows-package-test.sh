#!/usr/bin/env bash
# Makes the Windows packages (zip and installer) from the MinGW build and checks them: the zip's
# contents, then under wine64 on Xvfb, in a fresh prefix, the installer run silently for the user
# and for all users, the installed program started until its main window shows and closed, and
# the uninstaller removing files, Start-menu entry and registry key again. Installs what it needs.
# Usage: scripts/windows-package-test.sh [build-dir]
#        (default: build-mingw, as scripts/cross-test.sh mingw leaves it; made when missing)
set -euo pipefail
all_args=("$@")
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build-mingw"}
. "$here/scripts/packages.sh"

ensure_packages cmake ninja-build googletest g++-mingw-w64-x86-64-posix nsis unzip wine wine64 \
  xvfb xauth xdotool
if [ -z "${ZANVORO_ON_XVFB:-}" ]; then
  ZANVORO_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "${all_args[@]}"
fi

passed=0 failed=0
# Each check names itself first; the command after it is what runs.
check() {
  local what=$1; shift
  if "$@"; then
    passed=$((passed + 1)); echo "ok    $what"
  else
    failed=$((failed + 1)); echo "FAIL  $what"
  fi
}

echo "== Packages from $build"
if [ ! -f "$build/CMakeCache.txt" ]; then
  # Configured as the cross-test stage configures it, so that either can reuse the other's.
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchains/mingw-w64-x86_64.cmake" \
    -DZANVORO_BUILD_UI=ON -DZANVORO_BUILD_BENCH=OFF -DZANVORO_GTEST_FROM_SOURCE=ON
fi
cmake --build "$build" --target zanvoro zanvoro-batch
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
rm -f "$build"/zanvoro-*-win64*.zip "$build"/zanvoro-*-win64*.exe
(cd "$build" && cpack -G "ZIP;NSIS")
zip=$build/zanvoro-$version-win64.zip
setup=$build/zanvoro-$version-win64-setup.exe

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
cleanup() {
  /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# x86-64 Windows program: the PE header's machine field is 0x8664.
is_win64() {
  local at
  at=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  [ "$(od -An -tx2 -j"$at" -N6 "$1" | tr -d ' ')" = 4550000064860000 ] ||
    [ "$(od -An -tx1 -j"$at" -N6 "$1" | tr -d ' ')" = 504500006486 ]
}

echo "== The zip"
expected=$(printf '%s\n' LICENSE.txt readme.txt zanvoro-batch.exe zanvoro.exe |
  sed "s|^|zanvoro-$version-win64/|")
check "the zip holds the programs, licence and readme in one folder" \
  test "$(unzip -Z1 "$zip" | sort)" = "$expected"
unzip -q "$zip" -d "$work/unzipped"
portable=$work/unzipped/zanvoro-$version-win64
readme=$portable/readme.txt
check "the readme starts with a UTF-8 byte-order mark" \
  test "$(head -c3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf
crlf_only() { ! grep -q $'[^\r]$' "$@"; }
check "every line of the readme and licence ends in CRLF" \
  crlf_only "$readme" "$portable/LICENSE.txt"
for text in "Windows によって PC が保護されました" "詳細情報" "「実行」" \
  "Windows protected your PC" "More info" "Run anyway" "アンインストール" "Uninstalling"; do
  check "the readme says \"$text\"" grep -qF "$text" "$readme"
done
for exe in "$portable/zanvoro.exe" "$portable/zanvoro-batch.exe" "$setup"; do
  check "$(basename "$exe") is a 64-bit Windows program" is_win64 "$exe"
done

echo "== Wine prefix"
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver64 -p </dev/null >/dev/null 2>&1
"$wine" wineboot --init </dev/null >/dev/null 2>&1
winenv() { "$wine" cmd /c echo "%$1%" </dev/null 2>/dev/null | tr -d '\r'; }
unix_path() { "$wine" winepath -u "$1" </dev/null 2>/dev/null | tr -d '\r'; }
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Zanvoro'
# The key as `reg export` writes it, in UTF-8 (reg query prints Japanese as "?"); nothing when
# the key is missing.
reg_export() {
  rm -f "$WINEPREFIX/drive_c/key.reg"
  "$wine" reg export "$1\\$key" 'C:\key.reg' /y </dev/null >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/key.reg" | tr -d '\r'
}

# Starts a zanvoro.exe until its main window shows, then closes it as a user would.
starts_and_closes() {
  local pid i shown=0
  "$wine" "$1" </dev/null >/dev/null 2>&1 &
  pid=$!
  for ((i = 0; i < 60; i++)); do
    if xdotool search --onlyvisible --name '^Zanvoro!Pro$' >/dev/null 2>&1; then shown=1; break; fi
    sleep 0.5
  done
  # taskkill without /f posts WM_CLOSE to the program's windows.
  "$wine" taskkill /im zanvoro.exe </dev/null >/dev/null 2>&1 || true
  for ((i = 0; i < 40 && shown; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 1
  fi
  wait "$pid" 2>/dev/null || true
  ((shown))
}

echo "== The zip's programs, run from a folder of their own"
mkdir -p "$work/USB メモリー"
cp -r "$portable" "$work/USB メモリー/"
moved="$work/USB メモリー/zanvoro-$version-win64"
says_version() { "$wine" "$1" --version </dev/null 2>/dev/null | grep -qF "$version"; }
check "zanvoro-batch.exe from the unpacked zip runs" says_version "$moved/zanvoro-batch.exe"
check "zanvoro.exe from the unpacked zip shows \"Zanvoro!Pro\" and closes" \
  starts_and_closes "$moved/zanvoro.exe"

# install_and_remove SCOPE ROOT [INSTALLER OPTION...], with the folders the scope installs to
# in folder_var/sub (the program) and menu_var (the Start menu's parent).
install_and_remove() {
  local scope=$1 root=$2 dir menu out i
  shift 2
  echo "== Installed for $scope"
  check "the installer ($scope) runs silently and succeeds" "$wine" "$setup" /S "$@"
  win_dir="$(winenv "$folder_var")\\$sub"
  dir=$(unix_path "$win_dir")
  menu=$(unix_path "$(winenv "$menu_var")\\Microsoft\\Windows\\Start Menu\\Programs\\Zanvoro!.lnk")
  check "installed into $dir" test -d "$dir"
  check "the installed files are the zip's and the uninstaller" \
    test "$(cd "$dir" 2>/dev/null && ls | sort | tr '\n' ' ')" = \
    "LICENSE.txt readme.txt uninstall.exe zanvoro-batch.exe zanvoro.exe "
  check "the Start-menu entry \"Zanvoro!\" is there" test -f "$menu"
  out=$(reg_export "$root")
  local win=${win_dir//\\/\\\\} size
  for row in '"DisplayName"="Zanvoro!"' "\"DisplayVersion\"=\"$version\"" \
    '"Publisher"="Zanvoro 開発チーム"' '"NoModify"=dword:00000001' '"NoRepair"=dword:00000001' \
    "\"DisplayIcon\"=\"$win\\\\zanvoro.exe,0\"" "\"InstallLocation\"=\"$win\"" \
    "\"UninstallString\"=\"\\\"$win\\\\uninstall.exe\\\"\"" \
    "\"QuietUninstallString\"=\"\\\"$win\\\\uninstall.exe\\\" /S\""; do
    check "$root uninstall key: $row" grep -qxF "$row" <<<"$out"
  done
  size=$(sed -n 's/^"EstimatedSize"=dword://p' <<<"$out")
  check "$root uninstall key: EstimatedSize is the folder's, about a megabyte" \
    test "$((16#${size:-0}))" -gt 500 -a "$((16#${size:-0}))" -lt 20000
  check "the installed zanvoro.exe shows \"Zanvoro!Pro\" and closes" \
    starts_and_closes "$dir/zanvoro.exe"
  # The uninstaller copies itself away and returns at once: wait for the folder to go.
  "$wine" "$dir/uninstall.exe" /S </dev/null >/dev/null 2>&1 || true
  for ((i = 0; i < 120 && ${#dir} > 0; i++)); do
    [ -e "$dir" ] || break
    sleep 0.25
  done
  check "the uninstaller removes the install folder" test ! -e "$dir"
  check "the uninstaller removes the Start-menu entry" test ! -e "$menu"
  check "the uninstaller removes the $root uninstall key" test -z "$(reg_export "$root")"
}
folder_var=LOCALAPPDATA sub='Programs\Zanvoro' menu_var=APPDATA
install_and_remove "the user" HKCU
check "the installation for the user left HKLM alone" test -z "$(reg_export HKLM)"
folder_var=ProgramW6432 sub=Zanvoro menu_var=ProgramData
install_and_remove "all users" HKLM /ALLUSERS

echo "$passed passed, $failed failed"
((failed == 0))
