#!/usr/bin/env bash
# Regenerates the program's icons (32x32 and 16x16, 8 bits per pixel) with ImageMagick.
# The .ico files are committed; run this only after changing a drawing below.
set -eu
cd "$(dirname "$0")"

draw() { # name, then ImageMagick drawing arguments on a 32x32 transparent canvas
    local name=$1
    shift
    convert -size 32x32 xc:none "$@" -colors 255 png32:"/tmp/$name.png"
    convert "/tmp/$name.png" \( +clone -resize 16x16 \) -colors 255 "$name.ico"
    rm -f "/tmp/$name.png"
}

# 4: the program: a blue-to-black tile with a white arrow into a tray.
draw setup \( -size 28x28 gradient:'#0000ff'-'#000000' \) -geometry +2+2 -composite \
    -fill white -draw 'polygon 12,6 20,6 20,14 25,14 16,23 7,14 12,14' \
    -draw 'rectangle 6,25 26,27'
# 101: a program group: a window with four small items.
draw group -fill '#c0c0c0' -stroke black -draw 'rectangle 2,4 29,27' \
    -fill '#000080' -draw 'rectangle 2,4 29,9' -stroke none \
    -fill '#0000ff' -draw 'rectangle 6,13 11,18' -fill '#008000' -draw 'rectangle 14,13 19,18' \
    -fill '#800000' -draw 'rectangle 22,13 27,18' -fill '#808000' -draw 'rectangle 6,21 11,25'
# 102: the destination: a yellow folder with a blue arrow into it.
draw folder -fill '#ffff00' -stroke black -draw 'polygon 2,10 12,10 14,13 29,13 29,28 2,28' \
    -stroke none -fill '#0000ff' -draw 'polygon 13,1 19,1 19,9 24,9 16,18 8,9 13,9'
# 103: a computer.
draw computer -fill '#c0c0c0' -stroke black -draw 'rectangle 3,2 28,21' \
    -fill '#0000ff' -draw 'rectangle 6,5 25,18' -fill '#c0c0c0' -draw 'rectangle 8,23 23,29'
# 130: a diskette.
draw diskette -fill '#000080' -stroke black -draw 'rectangle 3,3 28,28' \
    -fill '#c0c0c0' -draw 'rectangle 9,3 22,12' -fill white -draw 'rectangle 7,17 24,28' \
    -fill '#000080' -stroke none -draw 'rectangle 17,5 20,10'
# 132: a warning triangle.
draw warning -fill '#ffff00' -stroke black -draw 'polygon 16,2 30,28 2,28' \
    -fill black -stroke none -draw 'rectangle 15,10 17,20' -draw 'rectangle 15,23 17,25'
# 133: copying: two sheets with an arrow between them.
draw copy -fill white -stroke black -draw 'rectangle 2,3 14,19' -draw 'rectangle 17,12 29,28' \
    -stroke none -fill '#008000' -draw 'polygon 10,22 10,26 4,26 4,28 12,28 12,30 15,26 12,22'
# 134: reading: a sheet with lines.
draw reading -fill white -stroke black -draw 'polygon 6,2 21,2 26,7 26,29 6,29' \
    -stroke '#000080' -draw 'line 9,10 23,10' -draw 'line 9,14 23,14' -draw 'line 9,18 23,18' \
    -draw 'line 9,22 19,22'
# 135: restart: a computer with a green circular arrow.
draw restart -fill '#c0c0c0' -stroke black -draw 'rectangle 3,2 28,21' \
    -fill '#0000ff' -draw 'rectangle 6,5 25,18' -fill '#c0c0c0' -draw 'rectangle 8,23 23,29' \
    -fill none -stroke '#00ff00' -strokewidth 2 -draw 'arc 10,7 21,17 -60 240' \
    -stroke none -fill '#00ff00' -draw 'polygon 19,5 24,8 19,11'
# 136: removing: a sheet crossed out in red.
draw remove -fill white -stroke black -draw 'polygon 6,2 21,2 26,7 26,29 6,29' \
    -stroke '#ff0000' -strokewidth 3 -draw 'line 8,8 24,26' -draw 'line 24,8 8,26'
# 137: stop: a red disc with a white bar.
draw stop -fill '#ff0000' -stroke black -draw 'circle 16,16 16,2' \
    -fill white -stroke none -draw 'rectangle 8,13 24,19'
# 142: registering: a grey cog around a blue centre.
draw register -fill '#808080' -stroke black \
    -draw 'polygon 14,1 18,1 19,6 24,3 27,6 25,12 31,14 31,18 25,20 27,26 24,29 19,26 18,31 14,31 13,26 8,29 5,26 7,20 1,18 1,14 7,12 5,6 8,3 13,6' \
    -fill '#0000ff' -draw 'circle 16,16 16,11'
