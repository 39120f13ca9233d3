#!/usr/bin/env bash
# Regenerates the program's pictures with ImageMagick and its sounds with
# make_sounds.py. The results are committed; run this only after changing it.
# "generate.sh --sheet OUT.png" also draws a contact sheet of the bitmaps.
set -euo pipefail
sheet=""
if [ "${1:-}" = --sheet ]; then sheet=$(realpath -m "${2:?usage: generate.sh [--sheet OUT.png]}"); fi
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

# ---------------------------------------------------------------------------
# Main sales window bitmaps, in bitmaps/. Square buttons are drawn on a 224 by
# 224 canvas (four times a 56-pixel button) and scaled down, which smooths the
# edges; the other pictures are drawn at four times their size.
# ---------------------------------------------------------------------------
mkdir -p bitmaps
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
label_font=DejaVu-Sans-Condensed-Bold
grey_bg='#C0C0C0'   # the main window's light-grey background
white_bg='#FFFFFF'  # the white basket panel and picture grid

# Colour pairs (top, bottom) of the button groups, and their pressed forms.
# shellcheck disable=SC2034  # pair() reads them through name references
{
  pay=('#4CAF50' '#1B5E20');     pay_dn=('#256B29' '#0F3A12')      # payments
  line=('#42A5F5' '#0D47A1');    line_dn=('#1B5FA8' '#082B61')     # line entry and prices
  del=('#EF5350' '#B71C1C');     del_dn=('#A32A27' '#6B1010')      # removing and refunding
  util=('#9575CD' '#4527A0');    util_dn=('#5E3F99' '#2A1763')     # drawer, trade, note
  panel=('#26A69A' '#00574B');   panel_dn=('#13685F' '#00332C')    # basket panel and scrolling
  key=('#607D8B' '#263238');     key_dn=('#37474F' '#11181B')      # keypad digits
  edit=('#FFB74D' '#E65100');    edit_dn=('#C77C1A' '#8A3000')     # keypad clear and erase
}

# plate OUT TOP BOTTOM BACKGROUND PRESSED(0|1) [RADIUS]: a 224 by 224 button face.
plate() {
  local out=$1 c1=$2 c2=$3 bg=$4 pressed=$5 r=${6:-34} shadow
  if [ "$bg" = "$grey_bg" ]; then shadow='#7A7A7A'; else shadow='#B8C2CC'; fi
  if [ "$pressed" = 0 ]; then
    $im -size 224x224 xc:"$bg" -fill "$shadow" -draw "roundrectangle 10,12 221,221 $r,$r" \
      \( -size 224x224 gradient:"$c1"-"$c2" \) \
      \( -size 224x224 xc:black -fill white -draw "roundrectangle 3,3 213,213 $r,$r" \) -composite \
      -fill none -stroke '#FFFFFF70' -strokewidth 5 -draw "roundrectangle 10,10 206,206 $((r-6)),$((r-6))" \
      -stroke '#00000080' -strokewidth 3 -draw "roundrectangle 3,3 213,213 $r,$r" "$out"
  else
    $im -size 224x224 xc:"$bg" \
      \( -size 224x224 gradient:"$c2"-"$c1" \) \
      \( -size 224x224 xc:black -fill white -draw "roundrectangle 9,11 220,221 $r,$r" \) -composite \
      -fill none -stroke '#00000070' -strokewidth 12 -draw "roundrectangle 13,15 216,217 $((r-4)),$((r-4))" \
      -stroke '#00000050' -strokewidth 6 -draw "roundrectangle 18,20 211,212 $((r-8)),$((r-8))" \
      -stroke '#000000A0' -strokewidth 3 -draw "roundrectangle 9,11 220,221 $r,$r" "$out"
  fi
}

# button NAME SIZE TOP BOTTOM BACKGROUND PRESSED LABEL MVG [LABEL_SIZE]: a square
# button with a white pictogram (MVG on the 224 canvas) over a word; the pressed
# form is darker and inset, its picture moved down and right by two pixels.
button() {
  local name=$1 size=$2 c1=$3 c2=$4 bg=$5 pressed=$6 text=$7 mvg=$8 pt=${9:-${LABEL_PT:-42}} shift=+0+0
  plate "$tmp/plate.png" "$c1" "$c2" "$bg" "$pressed"
  [ "$pressed" = 1 ] && shift=+7+8
  $im -size 224x224 xc:none -draw "$mvg" \
    -font $label_font -pointsize "$pt" -fill '#00000060' -gravity south -annotate +2+16 "$text" \
    -fill white -annotate +0+18 "$text" "$tmp/icon.png"
  $im "$tmp/plate.png" "$tmp/icon.png" -gravity northwest -geometry $shift -composite \
    -resize "${size}x${size}!" -alpha off -type truecolor "BMP3:bitmaps/$name.bmp"
}

# pair NORMAL PRESSED SIZE GROUP LABEL MVG: both forms of a button of a colour group.
pair() {
  local normal=$1 pressed=$2 size=$3 group=$4 text=$5 mvg=$6 bg=${7:-$grey_bg}
  local -n up=$group down=${group}_dn
  button "$normal" "$size" "${up[0]}" "${up[1]}" "$bg" 0 "$text" "$mvg"
  button "$pressed" "$size" "${down[0]}" "${down[1]}" "$bg" 1 "$text" "$mvg"
}

W='fill white stroke none'
SW='fill none stroke white stroke-linecap round stroke-linejoin round'

# Pay by card (2428): a card with its stripe and chip.
pair eft eft2 56 pay 'EFT' "$W roundrectangle 38,36 186,134 14,14 fill #1B5E20 rectangle 38,56 186,76
  fill #FFD54F roundrectangle 56,92 90,120 5,5 fill #1B5E20 rectangle 104,104 124,112 rectangle 132,104 152,112 rectangle 160,104 172,112"
# Credit to a customer's account (2426): a person beside an account page.
LABEL_PT=38 pair cash cash2 56 pay 'Account' "$W circle 82,62 82,36 path 'M 36,140 Q 36,94 82,94 Q 128,94 128,140 Z'
  roundrectangle 134,52 192,140 8,8 $SW stroke #1B5E20 stroke-width 8 line 146,76 180,76 line 146,96 180,96 line 146,116 168,116"
# Pay by cash (2459, 52 by 52): a bank note.
pair 140 141 52 pay 'Cash' "$W roundrectangle 30,46 194,132 10,10 fill #1B5E20 circle 112,89 112,63
  $W circle 112,89 112,71 fill #1B5E20 circle 52,66 52,60 circle 172,112 172,106 $SW stroke #1B5E20 stroke-width 6 line 112,79 112,99"
# Adjust the last line by weight (2427): a weight marked kg.
LABEL_PT=40 pair ch ch2 56 line 'Weight' "$SW stroke-width 12 circle 112,52 112,30 $W path 'M 54,142 L 74,70 L 150,70 L 170,142 Z'
  fill #0D47A1 font $label_font font-size 40 text-anchor middle text 112,126 'kg'"
# Sell an item that is not in the database (2408): a price tag with a question mark.
pair sale2 sale 56 line 'Misc' "$W path 'M 34,90 L 80,42 L 186,42 L 186,138 L 80,138 Z' fill #0D47A1 circle 72,90 72,80
  font DejaVu-Sans-Bold font-size 76 text-anchor middle text 138,118 '?'"
# Adjust the price of the last line (1008): a price tag and a pencil.
pair logb logd 56 line 'Price' "$W path 'M 30,84 L 70,42 L 160,42 L 160,126 L 70,126 Z' fill #0D47A1 circle 64,84 64,74
  font DejaVu-Sans-Bold font-size 52 text-anchor middle text 116,104 '%'
  $SW stroke #FFD54F stroke-width 18 stroke-linecap butt line 124,148 180,92 $W fill #FFD54F polygon 108,164 116,140 132,156
  fill #5D4037 polygon 180,92 192,80 196,84 184,96"
# Add the item in the entry box, or search (2442, 52 by 52): a basket with a plus.
pair 137 135 52 line 'Add' "$SW stroke-width 12 arc 64,26 160,122 180,360 $W path 'M 32,76 L 192,76 L 170,148 L 54,148 Z'
  $SW stroke #0D47A1 stroke-width 14 line 112,90 112,136 line 89,113 135,113"
# Repeat the last line (2417): a circling arrow around +1.
LABEL_PT=40 pair repeat repeat2 56 line 'Repeat' "$SW stroke-width 13 arc 58,34 166,142 -50,215 $W polygon 89,35 66,79 44,48
  font DejaVu-Sans-Bold font-size 44 text-anchor middle text 114,104 '+1'"
# Remove the selected or last line (2415): a list with its last line crossed out.
pair voiditem voidite2 56 del 'Void' "$SW stroke-width 12 line 40,48 150,48 line 40,76 150,76 line 40,104 110,104
  stroke-width 14 line 128,100 180,148 line 180,100 128,148"
# Empty the basket (2425): a bin.
pair clr cl2 56 del 'Clear' "$W roundrectangle 48,44 176,58 5,5 roundrectangle 94,30 130,50 6,6 path 'M 60,64 L 164,64 L 152,150 L 72,150 Z'
  $SW stroke #B71C1C stroke-width 9 line 90,80 94,134 line 112,80 112,134 line 134,80 130,134"
# Refund the basket (2458): an arrow turning back.
LABEL_PT=40 pair refun0 refun2 56 del 'Refund' "$SW stroke-width 16 path 'M 170,146 L 170,96 Q 170,62 136,62 L 82,62' $W polygon 38,62 86,26 86,98"
# Open the cash drawer (2410): a till with its drawer out.
LABEL_PT=40 pair newf2 newf 56 util 'Drawer' "$SW stroke-width 10 roundrectangle 50,34 174,96 8,8 line 74,56 150,56 $W polygon 30,104 194,104 178,150 46,150
  fill #4527A0 roundrectangle 94,118 130,130 4,4"
# Toggle trade and retail prices (2413): arrows both ways between T and R.
pair newm2 newm 56 util 'Trade' "$W font DejaVu-Sans-Bold font-size 48 text-anchor middle text 52,112 'T' text 172,112 'R'
  $SW stroke-width 10 line 82,62 134,62 line 142,126 90,126 $W polygon 150,62 128,46 128,78 polygon 74,126 96,110 96,142"
# Add a transaction note (1081): a page with lines.
pair return2 return0 56 util 'Note' "$W polygon 56,28 140,28 170,58 170,150 56,150 fill #B39DDB polygon 140,28 140,58 170,58
  $SW stroke #4527A0 stroke-width 8 line 74,76 152,76 line 74,100 152,100 line 74,124 130,124"
# Loaded but not placed by the window: a reset arrow in the utility colours.
pair rese rese2 56 util 'Reset' "$SW stroke-width 14 arc 56,32 168,144 -40,250 $W polygon 100,12 138,38 100,62"
rm -f bitmaps/rese2.bmp

# Scrolling the item pictures (2453 back, 2456 forwards), on the white grid.
pair 3b f9 54 panel 'Back' "$W polygon 112,30 178,108 46,108 rectangle 88,104 136,136" "$white_bg"
pair 4b f10 54 panel 'More' "$W polygon 112,144 178,66 46,66 rectangle 88,36 136,70" "$white_bg"

# Kitchen print (2460) and basket table (2462), 92 by 92 on the basket panel;
# "1a" is the pressed face of both. The table number is drawn in red at (45, 36).
button 155 92 "${panel[0]}" "${panel[1]}" "$white_bg" 0 'Kitchen' "$W rectangle 72,26 152,62
  roundrectangle 38,58 186,122 12,12 fill #00574B rectangle 60,94 164,104 $W rectangle 72,98 152,150
  $SW stroke #00574B stroke-width 6 line 86,116 138,116 line 86,132 126,132" 40
button 156 92 "${panel[0]}" "${panel[1]}" "$white_bg" 0 'Table' "$W circle 110,88 110,34
  $SW stroke #B2DFDB stroke-width 6 circle 110,88 110,26" 40
button 1a 92 "${panel_dn[0]}" "${panel_dn[1]}" "$white_bg" 1 '' "$W circle 103,80 103,30"

# Keypad keys (2430-2441), 54 by 54: digits, "C" clears, the arrow erases one character.
digit_key() { # NAME TEXT [PRESSED]
  local pressed=${3:-0} c=("${key[@]}")
  [ "$pressed" = 1 ] && c=("${key_dn[@]}")
  button "$1" 54 "${c[0]}" "${c[1]}" "$grey_bg" "$pressed" '' \
    "fill #00000060 font DejaVu-Sans-Bold font-size 132 text-anchor middle text 116,164 '$2'
     fill white text 112,160 '$2'"
}
digit_key 2b 0; digit_key 1b 1; digit_key 2a 2; digit_key 3a 3; digit_key 4a 4
digit_key 5a 5; digit_key 6a 6; digit_key 7a 7; digit_key 8a 8; digit_key 9a 9
digit_key 0a 0; digit_key 0b 0 1   # loaded but not placed: a spare "0" key and its pressed form
button ca 54 "${edit[0]}" "${edit[1]}" "$grey_bg" 0 '' "fill #00000050 font DejaVu-Sans-Bold font-size 132 text-anchor middle
  text 116,164 'C' fill white text 112,160 'C'"
button ea 54 "${edit[0]}" "${edit[1]}" "$grey_bg" 0 '' "$W polygon 26,112 76,54 196,54 196,170 76,170
  $SW stroke #E65100 stroke-width 16 line 104,84 160,140 line 160,84 104,140"

# Category buttons (2500-2518), 48 by 48 on grey: the code writes the category's
# three letters in grey centred at (23, 17), so the upper part stays light.
category() { # NAME TOP BOTTOM BORDER BAND
  $im -size 224x224 xc:"$grey_bg" -fill '#7A7A7A' -draw 'roundrectangle 10,12 221,221 30,30' \
    \( -size 224x224 gradient:"$2"-"$3" \) \
    \( -size 224x224 xc:black -fill white -draw 'roundrectangle 3,3 213,213 30,30' \) -composite \
    -fill "$5" -draw 'path "M 3,150 L 213,150 L 213,183 Q 213,213 183,213 L 33,213 Q 3,213 3,183 Z"' \
    -fill white -draw 'circle 80,182 80,172 circle 108,182 108,172 circle 136,182 136,172' \
    -fill none -stroke "$4" -strokewidth 7 -draw 'roundrectangle 5,5 211,211 28,28' \
    -resize 48x48! -alpha off -type truecolor "BMP3:bitmaps/$1.bmp"
}
category eb '#FFFFFF' '#DCE3EB' '#607D8B' '#90A4AE'
category cb '#FFF8DC' '#FFD54F' '#E65100' '#FB8C00'

# Item picture buttons (2700-2759), 200 by 50 on the white grid: the code draws
# the item's picture over the 48 by 48 square at (1, 1) and its texts at x 60.
picture_button() { # NAME FILL BORDER SQUARE MARK
  $im -size 800x200 xc:white -fill "$2" -stroke "$3" -strokewidth 6 -draw 'roundrectangle 3,3 796,196 24,24' \
    -stroke none -fill "$4" -draw 'roundrectangle 10,10 190,190 16,16' \
    -fill "$5" -draw 'polygon 34,160 84,84 116,130 136,106 168,160' -draw 'circle 140,60 140,42' \
    -resize 200x50! -alpha off -type truecolor "BMP3:bitmaps/$1.bmp"
}
picture_button f1 '#FFFFFF' '#90A4AE' '#ECEFF4' '#C5CED9'
picture_button f2 '#DCEBFA' '#1F4E79' '#C5D8EE' '#90A9C4'

# Item-entry panel "item", 181 by 82 at (8, 10): the entry box lies over
# (2, 44)-(174, 66); the lookup indicator goes to (58, 16), "Trade" to (128, 22).
$im -size 724x328 xc:"$grey_bg" \
  \( -size 724x328 gradient:'#FFFFFF'-'#D5DEE8' \) \
  \( -size 724x328 xc:black -fill white -draw 'roundrectangle 2,2 721,325 28,28' \) -composite \
  -fill none -stroke '#1F4E79' -strokewidth 7 -draw 'roundrectangle 4,4 719,323 26,26' \
  -stroke none -fill '#1F4E79' -font DejaVu-Sans-Bold -pointsize 54 -annotate +28+76 'ITEM' \
  -draw 'rectangle 32,104 38,152 rectangle 46,104 58,152 rectangle 66,104 70,152 rectangle 78,104 90,152 rectangle 98,104 102,152 rectangle 110,104 118,152 rectangle 126,104 130,152 rectangle 138,104 150,152 rectangle 158,104 162,152' \
  -fill '#1F4E79' -draw 'roundrectangle 2,170 702,272 10,10' -fill white -draw 'rectangle 8,176 696,266' \
  -fill '#37474F' -font DejaVu-Sans -pointsize 34 -annotate +26+312 'Scan or type, Enter to find' \
  -resize 181x82! -alpha off -type truecolor BMP3:bitmaps/item.bmp

# Text-lookup indicator 134, 32 by 12.
$im -size 128x48 xc:"#FFFFFF" -fill '#E65100' -draw 'roundrectangle 0,0 127,47 20,20' \
  -fill white -font DejaVu-Sans-Bold -pointsize 40 -gravity center -annotate +0+1 'ABC' \
  -resize 32x12! -alpha off -type truecolor BMP3:bitmaps/id134_lookup.bmp

# Basket header strip "items", 180 by 41: the code writes the line count at (46, 2).
$im -size 720x164 xc:white -fill '#E3EAF2' -stroke '#1F4E79' -strokewidth 6 -draw 'roundrectangle 3,3 716,160 24,24' \
  -stroke none -fill '#1F4E79' -font DejaVu-Sans-Bold -pointsize 44 -annotate +14+58 'Items' \
  -fill '#546E7A' -font DejaVu-Sans -pointsize 36 -annotate +18+132 'in the basket' \
  -fill none -stroke '#1F4E79' -strokewidth 10 -draw 'arc 570,14 650,94 180,360' \
  -stroke none -fill '#1F4E79' -draw 'path "M 536,62 L 684,62 L 664,140 L 556,140 Z"' \
  -fill '#E3EAF2' -draw 'rectangle 574,78 584,124 rectangle 604,78 614,124 rectangle 634,78 644,124' \
  -resize 180x41! -alpha off -type truecolor BMP3:bitmaps/items.bmp

# Totals background "totals", 200 by 189: the code writes each amount right-aligned
# at x 192 on the rows 6, 28, 56, 83, 109, 132 and 157.
$im -size 800x756 xc:white -fill '#37474F' -font DejaVu-Sans -pointsize 46 \
  -annotate +16+72 'Taxable' -annotate +16+160 'Non taxable' -annotate +16+272 'Sub total' \
  -annotate +16+380 'Tax 1' -annotate +16+484 'Tax 2' -annotate +16+576 'Discount' \
  -stroke '#B0BEC5' -strokewidth 4 -draw 'line 12,204 788,204' -stroke none \
  -fill '#1F4E79' -draw 'rectangle 12,600 788,610' \
  -font DejaVu-Sans-Bold -pointsize 58 -annotate +16+688 'TOTAL' \
  -resize 200x189! -alpha off -type truecolor BMP3:bitmaps/totals.bmp

# Empty-basket picture "four", 230 by 220, shown from its row 20 downwards.
$im -size 920x880 xc:white \
  -fill '#E3EAF2' -draw 'roundrectangle 100,110 820,560 60,60' \
  -fill none -stroke '#1F4E79' -strokewidth 30 -draw 'arc 330,150 590,410 180,360' \
  -stroke none -fill '#1F4E79' -draw 'path "M 230,280 L 690,280 L 630,500 L 290,500 Z"' \
  -fill '#E3EAF2' -draw 'roundrectangle 330,320 350,460 8,8 roundrectangle 400,320 420,460 8,8 roundrectangle 500,320 520,460 8,8 roundrectangle 570,320 590,460 8,8' \
  -fill '#1F4E79' -font DejaVu-Sans-Bold -pointsize 92 -gravity north -annotate +0+600 'Ready' \
  -fill '#546E7A' -font DejaVu-Sans -pointsize 52 -annotate +0+730 'Scan or key an item' \
  -resize 230x220! -alpha off -type truecolor BMP3:bitmaps/four.bmp

# Badge 157, 85 by 35, at the top right of the basket panel.
$im -size 340x140 xc:white -fill '#1F4E79' -draw 'roundrectangle 2,2 337,137 26,26' \
  -fill '#F2A900' -draw 'rectangle 40,104 300,112' \
  -fill white -font DejaVu-Sans-Bold -pointsize 54 -gravity north -annotate +0+22 'VARENKO' \
  -resize 85x35! -alpha off -type truecolor BMP3:bitmaps/id157_badge.bmp

# Tile 143, 48 by 48 (loaded, not placed): the program's receipt on a blue tile.
$im -size 192x192 xc:"$grey_bg" -fill '#1F4E79' -draw 'roundrectangle 0,0 191,191 30,30' \
  -fill white -draw 'polygon 56,30 136,30 136,162 120,146 104,162 88,146 72,162 56,146' \
  -fill none -stroke '#1F4E79' -strokewidth 9 -draw 'line 72,64 120,64 line 72,88 120,88 line 72,112 104,112' \
  -resize 48x48! -alpha off -type truecolor BMP3:bitmaps/id143_tile.bmp

# Numbered bitmaps get file names after their number.
mv bitmaps/135.bmp bitmaps/id135_add_pressed.bmp; mv bitmaps/137.bmp bitmaps/id137_add.bmp
mv bitmaps/140.bmp bitmaps/id140_cash.bmp;        mv bitmaps/141.bmp bitmaps/id141_cash_pressed.bmp
mv bitmaps/155.bmp bitmaps/id155_kitchen.bmp;     mv bitmaps/156.bmp bitmaps/id156_table.bmp

# The three sounds (wave resources 149, 150, 151).
python3 make_sounds.py

if [ -n "$sheet" ]; then
  mkdir -p "$(dirname "$sheet")"
  # Every bitmap at twice its size, the buttons first, then the larger pictures.
  small=() large=()
  for f in bitmaps/*.bmp; do
    n=$(basename "$f" .bmp)
    $im "$f" -filter point -resize 200% -set label "$n" "$tmp/$n.png"
    if [ "$(/usr/bin/identify -format '%[fx:w<=92 && h<=92]' "$f")" = 1 ]; then
      small+=("$tmp/$n.png")
    else
      large+=("$tmp/$n.png")
    fi
  done
  /usr/bin/montage "${small[@]}" -tile 10x -geometry '184x184+8+4' -background "$grey_bg" -pointsize 15 "$tmp/small.png"
  /usr/bin/montage "${large[@]}" -tile 4x -geometry '+8+4' -background "$grey_bg" -pointsize 15 "$tmp/large.png"
  $im "$tmp/small.png" "$tmp/large.png" -background "$grey_bg" -gravity northwest -append +repage -depth 8 "$sheet"
fi
