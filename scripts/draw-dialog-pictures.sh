#!/usr/bin/env bash
# Draws the settings dialog's pictures as 24-bit bitmaps (ImageMagick). The results are kept in
# config/pictures; run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")/../config/pictures"
face='#f0f0f0'
ink='#20406a'

# Hand-wheel beside the step sizes: a rim with notches and a handle.
convert -size 32x30 "xc:$face" -fill none -stroke "$ink" -strokewidth 2 \
  -draw 'circle 15,15 15,3' -strokewidth 1 \
  -draw 'line 15,3 15,7' -draw 'line 27,15 23,15' -draw 'line 15,27 15,23' -draw 'line 3,15 7,15' \
  -fill "$ink" -draw 'circle 21,9 21,11' BMP3:wheel.bmp

# Speed gauge beside the velocity settings.
convert -size 32x30 "xc:$face" -fill none -stroke "$ink" -strokewidth 2 \
  -draw 'arc 3,5 29,31 180,360' -strokewidth 2 -draw 'line 16,18 24,9' \
  -fill "$ink" -draw 'circle 16,18 16,20' BMP3:gauge.bmp

# Hourglass beside the start delay.
convert -size 32x30 "xc:$face" -fill none -stroke "$ink" -strokewidth 2 \
  -draw 'line 9,4 23,4' -draw 'line 9,26 23,26' \
  -draw 'line 10,4 22,26' -draw 'line 22,4 10,26' -fill "$ink" -stroke none \
  -draw 'polygon 12,24 20,24 16,18' BMP3:hourglass.bmp

# Function keys F1..F4 beside their rows.
for n in 1 2 3 4; do
  height=21
  [ "$n" = 4 ] && height=22
  convert -size "32x$height" "xc:$face" -fill "$ink" -stroke none \
    -draw "roundrectangle 2,2 29,$((height - 3)) 4,4" -fill white -font DejaVu-Sans-Bold \
    -pointsize 10 -gravity center -annotate +0-1 "F$n" BMP3:"f$n.bmp"
done
