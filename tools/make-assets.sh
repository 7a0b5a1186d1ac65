#!/usr/bin/env bash
# Regenerates Lumetra's pictures in assets/ with ImageMagick (convert):
#   guanggao.bmp      the banner the main window animates (600 x 41, 24-bit BMP, uniform border)
#   icons/*.png       toolbar pictures, 24 x 24: connect.png, open.png, help.png, exit.png
#   lumetra.png       the program icon, 128 x 128
# The generated files are kept in the repository; run this only after changing a drawing.
set -euo pipefail
cd "$(dirname "$0")/../assets"
command -v convert >/dev/null || { echo "make-assets.sh needs ImageMagick's convert (apt-get install imagemagick)" >&2; exit 1; }

BORDER='rgb(18,30,66)'     # the banner's edge colour: the strip's back colour is read from pixel (2, 2)
NAVY='rgb(18,30,66)'
BEAM='rgba(255,236,160,0.55)'
GOLD='rgb(255,226,140)'
TITLE_FONT=DejaVu-Sans-Bold

# Banner: a light source at the left sends a widening beam to the right, across which the name
# is written; a 3-pixel border of one colour all round blends into the strip.
convert -size 594x35 "xc:${NAVY}" \
  \( -size 594x35 xc:none -fill "${BEAM}" -draw "polygon 14,17 262,0 262,34" -blur 0x3 \
     \( -size 262x35 -define gradient:direction=east 'gradient:rgba(0,0,0,1)-rgba(0,0,0,0)' \
        -background none -extent 594x35 \) -compose DstIn -composite \) -compose Over -composite \
  \( -size 594x35 xc:none -fill 'rgba(255,255,220,0.9)' -draw "circle 14,17 24,17" -blur 0x4 \) -composite \
  \( -size 594x35 xc:none -fill white -draw "circle 14,17 18,17" \) -composite \
  -font "${TITLE_FONT}" -pointsize 24 -fill "${GOLD}" -gravity west -annotate +270+0 'Lumetra' \
  -font DejaVu-Sans -pointsize 11 -fill 'rgb(170,190,230)' -annotate +400+2 'light intensity distribution' \
  -bordercolor "${BORDER}" -border 3 \
  -type TrueColor -define bmp:format=bmp3 BMP3:guanggao.bmp

# Toolbar pictures.
icon() { convert -size 24x24 xc:none "$@"; }

# Connect the video card: a camera.
icon -fill 'rgb(70,78,92)' -stroke 'rgb(30,34,42)' -draw "roundrectangle 2,7 21,20 2,2" \
  -fill 'rgb(70,78,92)' -draw "rectangle 7,4 13,7" \
  -fill 'rgb(200,225,255)' -stroke 'rgb(30,34,42)' -draw "circle 11.5,13.5 16,13.5" \
  -fill 'rgb(40,90,170)' -stroke none -draw "circle 11.5,13.5 13.5,13.5" \
  -fill 'rgb(255,80,60)' -draw "circle 18.5,9.5 19.5,9.5" \
  icons/connect.png

# Open an image file: a folder with a picture in it.
icon -fill 'rgb(232,184,70)' -stroke 'rgb(150,105,20)' -draw "polygon 1,6 8,6 10,8 22,8 22,21 1,21" \
  -fill 'rgb(255,255,255)' -stroke 'rgb(90,90,90)' -draw "rectangle 5,10 19,19" \
  -fill 'rgb(120,190,255)' -stroke none -draw "rectangle 6,11 18,18" \
  -fill 'rgb(60,150,60)' -draw "polygon 6,18 10,13 14,18" \
  -fill 'rgb(255,230,90)' -draw "circle 15,13 16.3,13" \
  icons/open.png

# Help: a question mark in a blue disc.
icon -fill 'rgb(40,110,200)' -stroke 'rgb(20,60,130)' -draw "circle 11.5,11.5 11.5,1" \
  -stroke none -fill white -font "${TITLE_FONT}" -pointsize 17 -gravity center -annotate +0+0 '?' \
  icons/help.png

# Exit: a door with an arrow leaving it.
icon -fill 'rgb(150,95,50)' -stroke 'rgb(90,55,25)' -draw "rectangle 3,2 13,21" \
  -fill 'rgb(255,220,120)' -stroke none -draw "circle 11,12 12,12" \
  -stroke 'rgb(200,40,40)' -strokewidth 3 -draw "line 12,12 20,12" \
  -fill 'rgb(200,40,40)' -stroke none -draw "polygon 17,7 23,12 17,17" \
  icons/exit.png

# Program icon: a light spot with its intensity profile drawn across it.
convert -size 128x128 xc:none \
  -fill "${NAVY}" -draw "roundrectangle 4,4 123,123 18,18" \
  \( -size 128x128 xc:none -fill 'rgba(255,240,170,0.95)' -draw "circle 64,60 64,24" -blur 0x10 \) -composite \
  \( -size 128x128 xc:none -fill white -draw "circle 64,60 64,48" -blur 0x3 \) -composite \
  -fill none -stroke 'rgb(255,70,50)' -strokewidth 4 \
  -draw "polyline 14,104 30,103 40,100 48,92 54,78 59,62 64,56 69,62 74,78 80,92 88,100 98,103 114,104" \
  -stroke 'rgb(150,170,210)' -strokewidth 2 -draw "line 14,110 114,110" \
  lumetra.png

echo "assets written to $(pwd)"
