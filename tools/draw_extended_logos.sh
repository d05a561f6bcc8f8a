#!/usr/bin/env bash
# Draws the extended edition's logo bitmaps (black on white, 1 bit: the logo
# controls paint the menu text colour where a bitmap is black). Needs
# ImageMagick and the DejaVu fonts; rewrites VlInterface/extended/res/.
set -eu
out="$(dirname "$0")/../VlInterface/extended/res"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
draw() {
  local size=$1 file=$2
  shift 2
  convert -size "$size" xc:white -fill black -font "$font" "$@" -threshold 50% -type bilevel "BMP3:$out/$file"
}
draw 274x80 logo_large.bmp -draw "rectangle 6,14 52,66" -fill white -draw "rectangle 14,22 44,58" \
  -fill black -draw "rectangle 22,30 36,50" -pointsize 30 -annotate +62+52 "TERVALOT"
draw 150x57 logo_small.bmp -draw "rectangle 4,12 34,44" -fill white -draw "rectangle 10,18 28,38" \
  -fill black -pointsize 16 -annotate +40+35 "TERVALOT"
# The rule under the about box's tagline; the tagline itself is a language text.
draw 280x26 standard.bmp -draw "rectangle 4,1 275,2"
draw 200x24 toolbar_logo.bmp -draw "rectangle 2,4 18,20" -fill white -draw "rectangle 6,8 14,16" \
  -fill black -pointsize 14 -annotate +26+18 "TERVALOT"
