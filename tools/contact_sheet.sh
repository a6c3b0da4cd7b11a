#!/bin/sh
# Puts every picture of assets/art/ and the sun and moon on one sheet, at
# their on-screen size (1x) and at the stored size (2x), over the day sky
# (RGB 128,128,255), the night sky (RGB 0,0,128) and a grey window colour,
# to check that they read well and look alike. Needs ImageMagick.
#
#   tools/contact_sheet.sh [OUT.png]   (default: /tmp/zelk_contact_sheet.png)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-${TMPDIR:-/tmp}/zelk_contact_sheet.png}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
i=0
for f in "$root"/assets/art/*.png "$root"/assets/folder/sol.gif "$root"/assets/folder/lune.gif; do
  name=$(basename "$f")
  w=$(identify -format '%w' "$f[0]")
  h=$(identify -format '%h' "$f[0]")
  one="$((w / 2))x$((h / 2))!"
  row=""
  for bg in 'rgb(128,128,255)' 'rgb(0,0,128)' 'rgb(240,240,240)'; do
    i=$((i + 1))
    convert "$f[0]" -resize "$one" -background "$bg" -flatten "$tmp/a$i.png"
    convert "$f[0]" -background "$bg" -flatten "$tmp/b$i.png"
    row="$row $tmp/a$i.png $tmp/b$i.png"
  done
  # shellcheck disable=SC2086
  convert \( -background white -font DejaVu-Sans -pointsize 13 label:"$name" -gravity west -extent 130x \) $row \
    -bordercolor white -border 4 -gravity center +append "$tmp/row$i.png"
  rows="${rows:-} $tmp/row$i.png"
done
# shellcheck disable=SC2086
convert $rows -background white -gravity west -append "$out"
echo "$out"
