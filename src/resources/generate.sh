#!/usr/bin/env bash
# Regenerates the program's pictures with ImageMagick. The results are committed;
# run this only after changing it.
set -euo pipefail
cd "$(dirname "$0")"
im=/usr/bin/convert
font=DejaVu-Sans-Bold

# Splash, 400 x 198: pure blue (0,0,255) is the transparent colour of the splash.
$im -size 400x198 xc:'#0000FF' \
  -fill '#1F4E79' -draw 'roundrectangle 4,4 395,193 24,24' \
  -fill '#F2A900' -draw 'roundrectangle 14,14 385,183 18,18' \
  -fill '#1F4E79' -draw 'roundrectangle 20,20 379,177 14,14' \
  -font $font -fill white -pointsize 54 -gravity north -annotate +0+38 'VARENKO' \
  -font DejaVu-Sans -fill '#F2A900' -pointsize 22 -gravity north -annotate +0+112 'Checkout terminal' \
  -fill '#BFD7EE' -pointsize 13 -gravity south -annotate +0+30 'Starting up...' \
  -type truecolor BMP3:splash.bmp

# Program icon: a till receipt on a blue tile.
$im -size 48x48 xc:none -fill '#1F4E79' -draw 'roundrectangle 1,1 46,46 8,8' \
  -fill white -draw 'polygon 14,8 34,8 34,40 30,36 26,40 22,36 18,40 14,36' \
  -stroke '#1F4E79' -strokewidth 2 -draw 'line 18,16 30,16' -draw 'line 18,22 30,22' -draw 'line 18,28 26,28' \
  icon48.png
$im icon48.png -resize 32x32 icon32.png
$im icon48.png -resize 16x16 icon16.png
$im icon48.png icon32.png icon16.png varenko.ico
$im icon16.png varenko_small.ico
rm -f icon48.png icon32.png icon16.png

# Logos the default configuration copies into the data directory.
$im -size 480x120 xc:white -fill '#1F4E79' -draw 'roundrectangle 0,0 479,119 16,16' \
  -font $font -fill white -pointsize 48 -gravity center -annotate +0-10 'VARENKO' \
  -font DejaVu-Sans -fill '#F2A900' -pointsize 18 -annotate +0+36 'Fine goods since 1998' \
  -type truecolor BMP3:letter.bmp
$im -size 256x80 xc:white -font $font -fill black -pointsize 36 -gravity center -annotate +0-8 'VARENKO' \
  -font DejaVu-Sans -pointsize 14 -annotate +0+24 'Thank you for shopping' \
  -monochrome BMP3:receipt.bmp
