#!/bin/sh
# Regenerates every picture of the program from the drawings in assets/src/.
#
#   tools/make_art.sh
#
# Needs rsvg-convert (Debian: librsvg2-bin), ImageMagick's convert
# (imagemagick), python3, and the font Comic Neue (fonts-comic-neue) for the
# words on the result pictures. The outputs are committed, so building the
# game needs none of this.
#
# assets/art/*.png    sprites and icons, drawn at twice their size on screen
#                     (each SVG's width and height are already the 2x size)
# assets/folder/sol.gif, lune.gif
#                     sun and moon, 130 x 142; a GIF has one-bit transparency,
#                     so each is blended over the sky it is shown on (day
#                     RGB 128,128,255; night RGB 0,0,128) before its edge is cut
# assets/folder/gagne.JPG, perdu.JPG
#                     result pictures, exactly 730 x 550
# assets/icons/NAME.svg, assets/icons/SIZE/NAME.png
#                     the desktop icons of zelk and velmo: one flat SVG, and
#                     PNGs from 16 to 256 pixels square
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
src=$root/assets/src
art=$root/assets/art
folder=$root/assets/folder
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$art" "$folder"

for name in grey_frog green_frog bird cloud vial warning readme tip tip_small open zelk; do
  rsvg-convert "$src/$name.svg" -o "$tmp/$name.png"
  convert "$tmp/$name.png" -strip "PNG32:$art/$name.png"
done

# gif NAME SKY: transparent where the drawing is less than half covering.
gif() {
  rsvg-convert "$src/$1.svg" -o "$tmp/$1.png"
  convert "$tmp/$1.png" -background "$2" -alpha remove -alpha off "$tmp/$1-flat.png"
  convert "$tmp/$1.png" -alpha extract -threshold 50% "$tmp/$1-mask.png"
  convert "$tmp/$1-flat.png" "$tmp/$1-mask.png" -alpha off -compose CopyOpacity -composite \
    +dither -colors 255 -strip "$folder/$1.gif"
}
gif sol 'rgb(128,128,255)'
gif lune 'rgb(0,0,128)'

# The result pictures reuse the sprites' drawings; rsvg-convert needs them
# copied into the scene first.
for name in gagne perdu; do
  python3 "$root/tools/svg_inline.py" "$src/$name.svg" "$tmp/$name.svg"
  rsvg-convert "$tmp/$name.svg" -o "$tmp/$name.png"
  convert "$tmp/$name.png" -background white -alpha remove -alpha off -resize '730x550!' \
    -strip -quality 92 "$folder/$name.JPG"
done

# The desktop icons, flattened so that the installed SVG stands alone.
icons=$root/assets/icons
for name in zelk velmo; do
  python3 "$root/tools/svg_inline.py" "$src/icon_$name.svg" "$icons/$name.svg"
  for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$icons/$size"
    rsvg-convert -w "$size" -h "$size" "$icons/$name.svg" -o "$tmp/$name-$size.png"
    convert "$tmp/$name-$size.png" -strip "PNG32:$icons/$size/$name.png"
  done
done
