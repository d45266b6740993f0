#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a desktop reads from it: the files,
# the menu entry, the AppStream description and the file types, with the desktop's own tools.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share
id=org.alambix.Alambix

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "skipped: $*"; }

for file in bin/alambix bin/alambix-cli share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml \
  share/icons/hicolor/scalable/apps/$id.svg share/alambix/exercices/reflux.E08 \
  share/alambix/exercices/reflux.rtf share/alambix/aide/aide.md share/alambix/cours/cours.md \
  share/alambix/cours/images/distillation.png share/man/man1/alambix.1.gz \
  share/man/man1/alambix-cli.1.gz; do
  [[ -s $root/usr/$file ]] || fail "$file is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$id.png
  # The PNG header gives the picture's width and height at bytes 16 and 20.
  [[ $(od -An -tx1 -j16 -N8 "$png" 2>/dev/null | tr -d ' \n') == "$(printf %08x%08x "$size" "$size")" ]] ||
    fail "$png is not a ${size}×${size} PNG"
done
[[ -x $root/usr/bin/alambix && -x $root/usr/bin/alambix-cli ]] || fail "programs not executable"
grep -q '^Exec=alambix %f$' "$share/applications/$id.desktop" || fail "the menu entry passes no file"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
else skip "desktop-file-validate is not installed"; fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"
else skip "appstreamcli is not installed"; fi

if command -v update-mime-database >/dev/null && command -v xdg-mime >/dev/null &&
  command -v mimetype >/dev/null; then
  mime=$root/mime-home
  mkdir -p "$mime/mime/packages"
  cp "$share/mime/packages/$id.xml" "$mime/mime/packages/"
  update-mime-database "$mime/mime" >/dev/null 2>&1 || fail "update-mime-database rejects the file types"
  # A set-up file, the same bytes under another name, and an exercise file in upper case.
  record() { printf "\\x$(printf %02x ${#1})\\x00%s" "$1"; head -c $((126 - ${#1})) /dev/zero; }
  { record ALAMBIXSCHEMA; record 00010000100000; } >"$root/montage.C03"
  cp "$root/montage.C03" "$root/montage-renomme.dat"
  record enonce.rtf >"$root/EXERCICE.E08"
  query() { XDG_DATA_HOME=$mime XDG_DATA_DIRS=/usr/share XDG_CURRENT_DESKTOP= xdg-mime query filetype "$1" 2>/dev/null; }
  [[ $(query "$root/montage.C03") == application/x-alambix-setup ]] || fail "a .C03 file is not a set-up"
  [[ $(query "$root/montage-renomme.dat") == application/x-alambix-setup ]] ||
    fail "a renamed set-up file is not recognised by its signature"
  [[ $(query "$root/EXERCICE.E08") == application/x-alambix-exercise ]] ||
    fail "an .E08 file is not an exercise"
else skip "update-mime-database, xdg-mime or mimetype is not installed"; fi

((failures == 0)) && echo "installed tree checked" || exit 1
