#!/usr/bin/env bash
# Builds the .deb from a configured Release tree and checks it: the files where Debian keeps them,
# a Depends that names the package of every library the programs link and of every file they
# load at run time, and no lintian error or warning.
# Usage: check_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
debs=("$work"/tavlo_*_amd64.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "FAIL: no single tavlo_*_amd64.deb"
  exit 1
fi
deb=${debs[0]}
echo "built $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $1, $6}' | sed 's| \./| /|' >"$work/contents"
for entry in \
  "-rwxr-xr-x /usr/bin/tavlo" \
  "-rwxr-xr-x /usr/bin/tavlo-cli" \
  "-rw-r--r-- /usr/share/tavlo/Tavlo.hlp" \
  "-rw-r--r-- /usr/share/applications/tavlo.desktop" \
  "-rw-r--r-- /usr/share/metainfo/org.tavlo.tavlo.metainfo.xml" \
  "-rw-r--r-- /usr/share/icons/hicolor/16x16/apps/tavlo.png" \
  "-rw-r--r-- /usr/share/icons/hicolor/32x32/apps/tavlo.png" \
  "-rw-r--r-- /usr/share/icons/hicolor/48x48/apps/tavlo.png" \
  "-rw-r--r-- /usr/share/icons/hicolor/64x64/apps/tavlo.png" \
  "-rw-r--r-- /usr/share/icons/hicolor/128x128/apps/tavlo.png" \
  "-rw-r--r-- /usr/share/man/man1/tavlo.1.gz" \
  "-rw-r--r-- /usr/share/man/man1/tavlo-cli.1.gz" \
  "-rw-r--r-- /usr/share/doc/tavlo/copyright" \
  "-rw-r--r-- /usr/share/doc/tavlo/changelog.gz"; do
  grep -qxF -- "$entry" "$work/contents" || fail "missing or wrong mode: $entry"
done
grep -v -e ' /usr/$' -e ' /usr/bin/' -e ' /usr/share/' "$work/contents" | grep . &&
  fail "files outside /usr/bin and /usr/share"
ownership=$(dpkg-deb -c "$deb" | awk '$2 != "root/root"')
[ -z "$ownership" ] || fail "files not owned by root: $ownership"

dpkg-deb -x "$deb" "$work/root"
cmp -s "$work/root/usr/share/tavlo/Tavlo.hlp" "$source/help/Tavlo.hlp" || fail "help file differs"
metainfo=$work/root/usr/share/metainfo/org.tavlo.tavlo.metainfo.xml
# Offline: the screenshot's host is not reached, only the entry's form is checked.
appstreamcli validate --no-net --strict --pedantic "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "the AppStream entry does not validate"; }
grep -qxF "  <launchable type=\"desktop-id\">tavlo.desktop</launchable>" "$metainfo" ||
  fail "the AppStream entry does not name the desktop entry"
grep -qF "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$metainfo" ||
  fail "the AppStream entry's release is not the package's version"
for page in tavlo tavlo-cli; do
  warnings=$(zcat "$work/root/usr/share/man/man1/$page.1.gz" | groff -man -ww -z -Tutf8 2>&1)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done

# Depends, as package names without versions.
depends=" $(dpkg-deb -f "$deb" Depends | sed -E 's/ *\([^)]*\)//g; s/,/ /g') "
echo "Depends:$depends"
owner() { { dpkg -S "$1" 2>/dev/null || true; } | head -1 | cut -d: -f1; }
requires() { # PACKAGE WHY
  case "$depends" in
    *" $1 "*) ;;
    *) fail "Depends lacks $1 ($2)" ;;
  esac
}
for program in tavlo tavlo-cli; do
  binary=$work/root/usr/bin/$program
  for library in $(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    path=$(ldd "$binary" | awk -v l="$library" '$1 == l {print $3}')
    [ -n "$path" ] || { fail "$program: $library not found"; continue; }
    package=$(owner "$path")
    [ -n "$package" ] || package=$(owner "$(realpath "$path")")
    [ -n "$package" ] || { fail "$program: no package owns $path"; continue; }
    requires "$package" "$program links $library"
  done
done
requires "$(owner '*/qt6/plugins/platforms/libqxcb.so')" "the X11 platform plugin"
requires "$(owner '*/qt6/plugins/platforms/libqoffscreen.so')" "the offscreen platform plugin"
requires "$(owner '*/qt6/translations/qtbase_ja.qm')" "Qt's Japanese button texts"
requires "$(owner "$(fc-list IPAPGothic file | head -1 | cut -d: -f1)")" "the window font IPAPGothic"
requires "$(owner "$(fc-list IPAPMincho file | head -1 | cut -d: -f1)")" "the version window's IPAPMincho"

if ! lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1; then
  cat "$work/lintian.log"
  fail "lintian reports errors or warnings"
fi

[ "$failures" -eq 0 ] || exit 1
echo "package checks passed"
