#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the installed prefix the way a
# desktop uses it: the layout, the menu entry, the file types (a camera's upper-case
# IR_0001.QVX and a misnamed file recognised by its magic), the thumbnailer command, and the
# installed program finding its language module in lib/calivue.
# Usage: check_install.sh BUILD_DIR. Exits 77 (skipped) when a needed tool is missing.
set -euo pipefail

build=$1
for tool in desktop-file-validate xmllint update-mime-database xdg-mime gio; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() {  # check DESCRIPTION COMMAND...: runs the command, reports a failure, carries on
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; fail=1; fi
}

DESTDIR=$work/root cmake --install "$build" --prefix /usr >"$work/install.log"
prefix=$work/root/usr

for f in bin/calivue bin/calivue-cli "lib/calivue/KVO US.so" \
         share/applications/calivue.desktop share/mime/packages/calivue.xml \
         share/icons/hicolor/scalable/apps/calivue.svg share/thumbnailers/calivue.thumbnailer \
         share/man/man1/calivue-cli.1; do
  check "installed $f" test -s "$prefix/$f"
done
for size in 16 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/calivue.png
  # A PNG's width and height are the big-endian words at offsets 16 and 20.
  check "icon ${size}x${size} is a ${size}-pixel PNG" \
    test "$(od -An -tx1 -j16 -N8 "$png" 2>/dev/null | tr -d ' \n')" = \
         "$(printf '%08x%08x' "$size" "$size")"
done
check "no language module left beside the executables" \
  test -z "$(find "$prefix/bin" -name '*.so')"

desktop=$prefix/share/applications/calivue.desktop
check "desktop-file-validate accepts the menu entry" desktop-file-validate "$desktop"
check "menu entry opens the double-clicked file" grep -qx 'Exec=calivue %f' "$desktop"
check "menu entry lists both file types" \
  grep -q '^MimeType=.*application/x-calivue-snapshot;.*application/x-calivue-report;' "$desktop"
check "thumbnailer runs the installed subcommand" \
  grep -qx 'Exec=calivue-cli thumbnail %i %o %s' "$prefix/share/thumbnailers/calivue.thumbnailer"

xml=$prefix/share/mime/packages/calivue.xml
check "xmllint accepts the MIME XML" xmllint --noout "$xml"
XDG_DATA_DIRS="$prefix/share:/usr/share" update-mime-database "$prefix/share/mime"
"$build/bin/calivue-gen" "$work/card" --preset demo >/dev/null
cp "$work/card/DEMO.QVX" "$work/card/IR_0001.QVX"
cp "$work/card/DEMO.QVX" "$work/card/ir_0002.qvx"
cp "$work/card/DEMO.QVX" "$work/card/renamed.dat"  # no known suffix: only the magic tells
printf 'no record' >"$work/card/other.dat"
echo '{}' >"$work/card/site.VRP"
filetype() {
  XDG_CURRENT_DESKTOP=GNOME XDG_DATA_DIRS="$prefix/share:/usr/share" xdg-mime query filetype "$1"
}
expect_type() { test "$(filetype "$1")" = "$2"; }
check "IR_0001.QVX is a snapshot" expect_type "$work/card/IR_0001.QVX" application/x-calivue-snapshot
check "ir_0002.qvx is a snapshot" expect_type "$work/card/ir_0002.qvx" application/x-calivue-snapshot
check "a renamed record is a snapshot by its magic" \
  expect_type "$work/card/renamed.dat" application/x-calivue-snapshot
check "a file without the magic is no snapshot" \
  test "$(filetype "$work/card/other.dat")" != application/x-calivue-snapshot
check "site.VRP is a report project" expect_type "$work/card/site.VRP" application/x-calivue-report

cli=$prefix/bin/calivue-cli
check "installed thumbnailer writes a PNG" "$cli" thumbnail "$work/card/IR_0001.QVX" "$work/t.png" 128
check "thumbnail is a PNG" test "$(head -c4 "$work/t.png" | od -An -c | tr -d ' ')" = '211PNG'
check "garbage gives no thumbnail" \
  bash -c '! "$1" thumbnail "$2" "$3" 128 2>/dev/null && test ! -e "$3"' _ \
  "$cli" "$work/card/other.dat" "$work/none.png"

# The installed program with US English chosen: the dynamic loader's log names the module
# it initialises, which must be the one of the prefix. The window then waits for the user,
# so the program is stopped after a few seconds.
mkdir -p "$work/config/Orvane"
printf '[Calivue%%20Razadi]\nLanguage=8\n' >"$work/config/Orvane/Calivue Razadi.ini"
(cd "$work" && XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen LD_DEBUG=files \
   timeout 8 "$prefix/bin/calivue" 2>"$work/ld.log" >/dev/null) || true
check "installed program loads lib/calivue/KVO US.so" \
  grep -q "calling init: $prefix/bin/../lib/calivue/KVO US.so\|calling init: $prefix/lib/calivue/KVO US.so" "$work/ld.log"

exit $fail
