#!/usr/bin/env bash
# Draws the start-up picture data/Bin/Carpet/splash.bmp (480 x 300, 24-bit):
# a carpet-like border of knots around the program's name.
set -euo pipefail
cd "$(dirname "$0")/.."
out=data/Bin/Carpet/splash.bmp
font=$(fc-match -f '%{file}' 'DejaVu Sans:bold')
knots=()
for ((x = 0; x < 480; x += 12)); do
  for y in 0 12 276 288; do
    (( (x / 12 + y / 12) % 2 )) && knots+=(-draw "rectangle $x,$y $((x + 11)),$((y + 11))")
  done
done
for ((y = 24; y < 276; y += 12)); do
  for x in 0 12 456 468; do
    (( (x / 12 + y / 12) % 2 )) && knots+=(-draw "rectangle $x,$y $((x + 11)),$((y + 11))")
  done
done
convert -size 480x300 xc:'#5a1420' -fill '#c9a227' "${knots[@]}" \
  -fill '#f3e9d2' -draw 'rectangle 34,34 445,265' \
  -fill '#7a1f2b' -draw 'rectangle 40,40 439,259' \
  -font "$font" -fill '#f3e9d2' -gravity center \
  -pointsize 44 -annotate +0-40 'Velmora' \
  -pointsize 19 -annotate +0+12 'Design CAD System - Carpet' \
  -pointsize 14 -fill '#c9a227' -annotate +0+52 'Professional' \
  -type TrueColor BMP3:"$out"
echo "wrote $out"
