#!/usr/bin/env bash
# Regenerates the demo shop's item pictures with ImageMagick: 96 x 96 BMP tiles,
# a pictogram over the product's colour with a word below it. The results in
# pictures/ are committed; run this only after changing it.
#   STOCK<k>.bmp   the stock picture of display category k - 1 (1..18)
#   m<n>.bmp       the own picture of item n
set -euo pipefail
cd "$(dirname "$0")"
im=/usr/bin/convert
font=DejaVu-Sans-Bold
out=pictures
mkdir -p "$out"

# Pictograms, drawn in the foreground colour on a 96 x 96 tile (word area below y 72).
declare -A shape=(
  [bottle]="roundrectangle 38,26 58,68 5,5 rectangle 44,10 52,26 rectangle 43,7 53,11"
  [pint]="polygon 32,14 64,14 60,68 36,68"
  [book]="rectangle 26,14 70,66"
  [tin]="roundrectangle 30,16 66,68 6,6 ellipse 48,18 18,5 0,360"
  [card]="rectangle 28,12 68,68"
  [cup]="roundrectangle 30,26 58,66 4,4 ellipse 62,44 8,9 0,360"
  [wedge]="polygon 22,62 74,62 74,30"
  [can]="roundrectangle 34,16 62,68 6,6 line 54,6 50,16"
  [disc]="circle 48,40 48,14"
  [flake]="line 48,10 48,68 line 23,24 73,54 line 23,54 73,24"
  [apple]="circle 48,42 48,18 ellipse 56,18 8,4 0,360"
  [knife]="polygon 16,30 60,30 80,40 60,48 16,48 rectangle 10,36 30,44"
  [box]="rectangle 22,26 74,66 polygon 22,26 34,14 86,14 74,26"
  [paper]="rectangle 24,12 72,68"
  [bucket]="polygon 28,30 68,30 62,68 34,68 circle 36,24 36,16 circle 48,20 48,12 circle 60,24 60,16"
  [teacup]="roundrectangle 26,34 62,66 4,4 ellipse 66,48 7,8 0,360 line 40,34 40,18 rectangle 36,12 46,20"
  [sweet]="ellipse 48,40 16,11 0,360 polygon 32,40 16,28 16,52 polygon 64,40 80,28 80,52"
  [glass]="polygon 32,10 64,10 58,36 38,36 rectangle 46,36 50,60 rectangle 36,60 60,64"
)
# Details drawn over the pictogram in the background colour.
declare -A detail=(
  [book]="line 33,14 33,66 line 40,26 64,26 line 40,32 60,32"
  [card]="circle 48,36 48,28 line 36,54 60,54"
  [paper]="line 30,24 66,24 line 30,34 66,34 line 30,44 66,44 line 30,54 56,54"
  [disc]="circle 48,40 48,35"
  [box]="line 22,26 74,26 line 74,26 74,66 line 74,26 86,14"
)

# tile FILE BACKGROUND FOREGROUND SHAPE WORD
tile() {
  local file=$1 bg=$2 fg=$3 name=$4 word=$5
  $im -size 96x96 xc:"$bg" \
    -fill "$fg" -stroke "$fg" -strokewidth 2 -draw "${shape[$name]}" \
    -fill "$bg" -stroke "$bg" -draw "${detail[$name]:-point 0,0}" \
    -stroke none -fill white -draw 'rectangle 0,74 95,95' \
    -font $font -fill "$bg" -pointsize 13 -gravity south -annotate +0+4 "$word" \
    -colors 64 -type palette -compress none BMP3:"$out/$file"
}

# Stock pictures, one per display category 0..17.
tile STOCK1.bmp  '#5B3A8C' '#E8DDF5' bottle SPIRITS
tile STOCK2.bmp  '#C68A12' '#FFF1C7' pint   BEER
tile STOCK3.bmp  '#2E5E8C' '#DCEBF7' book   BOOKS
tile STOCK4.bmp  '#B2332B' '#F7DDDA' tin    CANS
tile STOCK5.bmp  '#C2407A' '#FBE1EC' card   CARDS
tile STOCK6.bmp  '#5A3A22' '#EBD9C8' cup    COFFEE
tile STOCK7.bmp  '#C9A227' '#FFF6CC' wedge  DELI
tile STOCK8.bmp  '#1F7A8C' '#D5F0F5' can    DRINKS
tile STOCK9.bmp  '#333333' '#DDDDDD' disc   DVD
tile STOCK10.bmp '#3C8DC4' '#FFFFFF' flake  FROZEN
tile STOCK11.bmp '#3E8E41' '#E2F4D8' apple  FRUIT
tile STOCK12.bmp '#6B6B6B' '#E4E4E4' knife  HARDWARE
tile STOCK13.bmp '#8C6D46' '#F1E6D6' box    MISC
tile STOCK14.bmp '#4A4A4A' '#F5F5F5' paper  PAPERS
tile STOCK15.bmp '#D0452F' '#FFE9C2' bucket SNACKS
tile STOCK16.bmp '#2F6B3A' '#DDF0D9' teacup TEA
tile STOCK17.bmp '#D4327A' '#FFE0EE' sweet  SWEETS
tile STOCK18.bmp '#7B1E3A' '#F5D5DF' glass  WINE

# Items with pictures of their own.
tile m1003.bmp '#A0612A' '#F6E3C9' bottle MALT
tile m1101.bmp '#D99A1C' '#FFF4D0' pint   ALE
tile m1501.bmp '#4B2E1A' '#E6D2BE' cup    ROAST
tile m1701.bmp '#B5121B' '#FFFFFF' can    COLA
tile m2001.bmp '#E8C31A' '#FFFBE0' apple  BANANA
tile m2101.bmp '#37474F' '#CFD8DC' knife  KNIFE
tile m2601.bmp '#6D4C2E' '#EED9C4' sweet  CHOC
tile m2701.bmp '#8E1B2E' '#F6D6DC' glass  RIOJA
tile m2710.bmp '#B8962E' '#FFF7DA' glass  BRUT
tile m3002.bmp '#7A2048' '#F9DCE8' box    GIFT
