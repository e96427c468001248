#!/bin/sh
# Draws the console's toolbar pictures and logo with ImageMagick's vector
# drawing, so they can be changed here and made again: sh make_images.sh
set -e
cd "$(dirname "$0")"
S=64   # drawn at twice the size shown, then reduced: smoother edges

icon() { convert -size ${S}x${S} xc:none "$@" -resize 32x32 "$out"; }

out=casa.png icon \
    -fill '#f3e2c0' -stroke '#6b4a2b' -strokewidth 3 -draw "rectangle 14,30 50,58" \
    -fill '#b83a2a' -stroke '#6b2018' -draw "polygon 6,32 32,8 58,32" \
    -fill '#6b4a2b' -stroke none -draw "rectangle 27,40 37,58" \
    -fill '#7fb3d5' -stroke '#6b4a2b' -strokewidth 2 -draw "rectangle 40,36 47,43"

out=produto.png icon \
    -fill '#2e7d4f' -stroke '#1b4d30' -strokewidth 3 \
    -draw "path 'M 22,60 L 22,30 Q 22,22 28,18 L 28,6 L 36,6 L 36,18 Q 42,22 42,30 L 42,60 Z'" \
    -fill '#f3e2c0' -stroke none -draw "rectangle 24,34 40,46" \
    -fill '#f0a030' -stroke '#8a5a10' -strokewidth 2 -draw "circle 50,50 50,38" \
    -stroke '#ffffff' -strokewidth 4 -draw "line 50,43 50,57" -draw "line 43,50 57,50"

out=consulta.png icon \
    -fill '#ffffff' -stroke '#55606b' -strokewidth 2 -draw "rectangle 6,6 40,54" \
    -stroke '#9aa5b0' -strokewidth 3 -draw "line 12,16 34,16" -draw "line 12,26 34,26" -draw "line 12,36 28,36" \
    -fill '#cfe6f7' -stroke '#2b4a66' -strokewidth 5 -draw "circle 40,38 40,24" \
    -strokewidth 7 -draw "line 50,48 60,58"

out=vendas.png icon \
    -fill '#f2b632' -stroke '#8a5a10' -strokewidth 3 -draw "rectangle 12,18 44,58" \
    -fill none -strokewidth 5 -draw "path 'M 44,26 Q 58,26 58,38 Q 58,50 44,50'" \
    -fill '#fffaf0' -stroke '#c8c0b0' -strokewidth 2 \
    -draw "circle 18,16 18,8" -draw "circle 29,13 29,5" -draw "circle 40,16 40,8" \
    -stroke none -draw "rectangle 12,14 44,22" \
    -stroke '#fff3c4' -strokewidth 2 -draw "line 20,28 20,52" -draw "line 30,28 30,52"

out=entradas.png icon \
    -fill '#e8772e' -stroke '#8a3d10' -strokewidth 3 \
    -draw "path 'M 4,18 L 60,18 L 60,28 Q 54,32 60,36 L 60,46 L 4,46 L 4,36 Q 10,32 4,28 Z'" \
    -stroke '#fff3e0' -strokewidth 2 -draw "line 44,22 44,26" -draw "line 44,30 44,34" -draw "line 44,38 44,42" \
    -stroke none -fill '#fff3e0' -draw "rectangle 12,26 36,29" -draw "rectangle 12,34 30,37"

out=sair.png icon \
    -fill '#8d6e63' -stroke '#4e342e' -strokewidth 3 -draw "rectangle 10,6 38,58" \
    -fill '#f3e2c0' -stroke none -draw "circle 32,34 32,31" \
    -stroke '#c62828' -strokewidth 6 -draw "line 34,32 56,32" \
    -fill '#c62828' -stroke none -draw "polygon 50,22 62,32 50,42"

# The logo: a lantern beside the name, on a light card.
convert -size 560x240 xc:none \
    -fill '#fbf6ec' -stroke '#c9b48a' -strokewidth 3 -draw "roundrectangle 4,4 555,235 22,22" \
    -fill '#3b3f45' -stroke none -draw "rectangle 74,30 110,38" -draw "rectangle 66,38 118,50" \
    -fill none -stroke '#3b3f45' -strokewidth 5 -draw "arc 78,12 106,44 180,360" \
    -fill '#ffd35a' -stroke '#3b3f45' -strokewidth 5 -draw "path 'M 68,50 L 116,50 L 124,170 L 60,170 Z'" \
    -fill '#fff1b0' -stroke none -draw "ellipse 92,118 12,26 0,360" \
    -fill '#f08a24' -draw "ellipse 92,124 6,14 0,360" \
    -stroke '#3b3f45' -strokewidth 4 -draw "line 92,50 92,94" -draw "line 92,146 92,170" \
    -fill '#3b3f45' -stroke none -draw "rectangle 54,170 130,186" -draw "rectangle 62,186 122,196" \
    -font DejaVu-Serif-Bold -pointsize 76 -fill '#2f3b47' -draw "text 160,130 'Vorinda'" \
    -font DejaVu-Sans -pointsize 20 -fill '#7a6a4a' -draw "text 168,172 'bar  ·  entradas  ·  estacionamento'" \
    logo.png
