#!/usr/bin/env bash
# Draws the program's bitmaps and icons with ImageMagick into OUT_DIR. The same tools give the
# same files, so the pictures are built, not committed.
#   make_pictures.sh OUT_DIR
set -euo pipefail
out=${1:?usage: make_pictures.sh OUT_DIR}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

font_bold=DejaVu-Sans-Bold
font=DejaVu-Sans
for f in /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf; do [[ -f $f ]] && font_bold=$f; done
for f in /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf; do [[ -f $f ]] && font=$f; done

# The palette: the window background, the brand blues, and signal colours.
BG='#F2F2F2'
NAVY='#0B3D6E'
BLUE='#1769C2'
SKY='#40B6F3'
INK='#2B3440'
GREY='#8A96A3'
TEAL='#17977F'
AMBER='#F0A020'

im() { convert "$@"; }
# 24-bit uncompressed bitmap, no alpha.
bmp24() { im "$1" -background "$BG" -alpha remove -alpha off -type TrueColor BMP3:"$2"; }

# A rounded frame of a button strip: gradient face, border, on the window background.
button_frame() { # w h top bottom border radius out
    local w=$1 h=$2
    im \( -size "${w}x${h}" gradient:"$3-$4" \) \
        \( -size "${w}x${h}" xc:black -fill white -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $6,$6" \) \
        -alpha off -compose CopyOpacity -composite \
        -fill none -stroke "$5" -strokewidth 1 -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 $6,$6" \
        -compose Over -background "$BG" -flatten "$7"
}

# 152: push buttons, 4 frames of 90 x 23: normal, pressed, hover, disabled.
button_frame 90 23 '#FFFFFF' '#DCE3EB' '#8395AB' 4 "$work/p0.png"
button_frame 90 23 '#BFD3EA' '#E3ECF6' '#2F62A0' 4 "$work/p1.png"
button_frame 90 23 '#FFFFFF' '#CBE5FA' '#2F86D6' 4 "$work/p2.png"
button_frame 90 23 '#EBEBEB' '#E3E3E3' '#B9BEC4' 4 "$work/p3.png"
im "$work"/p{0,1,2,3}.png +append "$work/strip152.png"
bmp24 "$work/strip152.png" "$out/button_strip.bmp"

# 151: page tabs, 4 frames of 90 x 21, open at the bottom; black is their transparent colour,
# so none is used.
tab_frame() { # top bottom border out
    button_frame 90 25 "$1" "$2" "$3" 5 "$work/tab.png"
    im "$work/tab.png" -crop 90x21+0+0 +repage "$4"
}
tab_frame '#F7F9FB' '#E1E7EE' '#8395AB' "$work/t0.png"
tab_frame '#FFFFFF' '#FFFFFF' "$BLUE" "$work/t1.png"
im "$work/t1.png" -fill "$BLUE" -draw 'rectangle 3,1 86,2' "$work/t1.png"
tab_frame '#FFFFFF' '#D6ECFC' '#2F86D6' "$work/t2.png"
tab_frame '#EEEEEE' '#E6E6E6' '#B9BEC4' "$work/t3.png"
im "$work"/t{0,1,2,3}.png +append -fill '#010101' -opaque black "$work/strip151.png"
bmp24 "$work/strip151.png" "$out/tab_strip.bmp"

# 153 and 154: the lit and the dim progress dot.
dot() { # colour rim out
    im -size 64x64 xc:"$BG" -fill "$2" -draw 'circle 32,32 32,6' -fill "$1" -draw 'circle 32,32 32,11' \
        -fill '#FFFFFF80' -draw 'ellipse 26,24 8,5 0,360' -resize 16x16 "$work/dot.png"
    bmp24 "$work/dot.png" "$3"
}
dot "$SKY" "$BLUE" "$out/dot_on.bmp"
dot '#D5DAE0' '#B4BCC6' "$out/dot_off.bmp"

# 149: the plus sign between the two key names.
im -size 13x13 xc:"$BG" -fill "$INK" -draw 'rectangle 5,1 7,11' -draw 'rectangle 1,5 11,7' "$work/plus.png"
bmp24 "$work/plus.png" "$out/plus_sign.bmp"

# 158, 159, 160: notice, question and warning pictures, 52 x 52.
badge() { # colour glyph out
    im -size 208x208 xc:"$BG" -fill '#0000001A' -draw 'circle 106,110 106,14' \
        -fill "$1" -draw 'circle 104,104 104,10' \
        -fill '#FFFFFF30' -draw 'ellipse 104,70 70,40 180,360' \
        -font "$font_bold" -pointsize 128 -fill white -gravity center -annotate +0+6 "$2" \
        -resize 52x52 "$work/badge.png"
    bmp24 "$work/badge.png" "$3"
}
badge "$TEAL" 'i' "$out/notice.bmp"
badge "$BLUE" '?' "$out/question.bmp"
im -size 208x208 xc:"$BG" -fill "$AMBER" -stroke '#C77C00' -strokewidth 6 -draw 'polygon 104,14 196,186 12,186' \
    -stroke none -font "$font_bold" -pointsize 120 -fill "$INK" -gravity center -annotate +0+26 '!' \
    -resize 52x52 "$work/warning.png"
bmp24 "$work/warning.png" "$out/warning.bmp"

# 161: a column of the progress bar, 2 x 13, 8 bits per pixel.
im -size 1x13 gradient:"$SKY-$NAVY" \( -size 1x13 gradient:'#5CC3F6-#0E4A84' \) +append \
    -type Palette -colors 256 -compress None BMP3:"$out/progress.bmp"

# 162: the maker's word mark, 103 x 20.
im -size 412x80 xc:"$BG" -fill "$BLUE" -draw 'roundrectangle 4,8 68,72 14,14' \
    -fill white -draw 'polygon 18,60 18,20 30,20 46,44 46,20 56,20 56,60 44,60 28,36 28,60' \
    -font "$font_bold" -pointsize 56 -fill "$NAVY" -annotate +80+62 'Norvane' \
    -resize 103x20! "$work/logo.png"
bmp24 "$work/logo.png" "$out/logo.bmp"

# 163: three progress dots, 45 x 9.
im -size 180x36 xc:"$BG" -fill "$BLUE" -draw 'circle 18,18 18,4' -fill "$SKY" -draw 'circle 90,18 90,4' \
    -fill '#C9D3DE' -draw 'circle 162,18 162,4' -resize 45x9! "$work/dots.png"
bmp24 "$work/dots.png" "$out/progress_dots.bmp"

# The player, drawn on a canvas of `size` (a multiple of 16) in its body colour.
player() { # size body screen wheel out
    local s=$(($1 / 16))
    im -size "$1x$1" xc:none -fill "$2" -draw "roundrectangle $((3 * s)),$((1 * s)) $((13 * s)),$((15 * s)) $((2 * s)),$((2 * s))" \
        -fill "$3" -draw "rectangle $((4 * s + s / 2)),$((2 * s + s / 2)) $((11 * s + s / 2)),$((7 * s))" \
        -fill "$4" -draw "circle $((8 * s)),$((11 * s)) $((8 * s)),$((9 * s))" \
        -fill "$2" -draw "circle $((8 * s)),$((11 * s)) $((8 * s)),$((10 * s + s / 2))" "$5"
}

# 164: the small device picture, 10 x 14.
player 64 "$NAVY" "$SKY" '#DCE6F0' "$work/device.png"
im "$work/device.png" -trim +repage -resize 10x14! -background "$BG" -flatten "$work/device.png"
bmp24 "$work/device.png" "$out/device_small.bmp"

# 155: the start screen, 490 x 370. Pure red is its transparent colour; none is used.
player 160 '#0E2F52' "$SKY" '#C8D8EA' "$work/big_player.png"
im -size 370x490 gradient:"$BLUE-$NAVY" -rotate -90 \
    -fill '#FFFFFF10' -draw 'circle 120,420 120,120' -fill '#FFFFFF0C' -draw 'circle 470,-40 470,160' \
    \( "$work/big_player.png" -background '#00000060' -shadow 60x6+6+8 \) -geometry +42+108 -composite \
    "$work/big_player.png" -geometry +44+105 -composite \
    -font "$font_bold" -pointsize 30 -fill white -annotate +227+150 'Quillmate' \
    -font "$font" -pointsize 15 -fill '#D6E9FA' -annotate +229+176 'for the Tembly ZQ4MKT' \
    -fill '#082C50' -draw 'roundrectangle 222,193 425,217 6,6' \
    -fill '#FFFFFF30' -draw 'rectangle 30,318 460,318' \
    -font "$font" -pointsize 12 -fill '#BFD8F0' -annotate +30+342 'Norvane' \
    -annotate +330+342 'Starting up ...' "$work/start.png"
bmp24 "$work/start.png" "$out/start_screen.bmp"

# Icons at 16, 32 and 48 pixels, each size drawn from a large master.
icon() { # master out
    im "$1" \( -clone 0 -resize 48x48 \) \( -clone 0 -resize 32x32 \) \( -clone 0 -resize 16x16 \) \
        -delete 0 "$2"
}
# 128: the program: a blue tile with a white Q and a note tail.
im -size 256x256 xc:none -fill "$BLUE" -draw 'roundrectangle 8,8 248,248 48,48' \
    -fill none -stroke white -strokewidth 30 -draw 'circle 120,120 120,50' \
    -stroke "$SKY" -strokewidth 30 -draw 'line 150,150 212,212' "$work/app.png"
icon "$work/app.png" "$out/application.ico"
# 156: the player attached: blue with a green mark; 157: not attached: grey, hollow screen.
player 256 "$BLUE" "$SKY" white "$work/on.png"
im "$work/on.png" -fill '#1FA84F' -stroke white -strokewidth 14 -draw 'circle 196,196 196,138' "$work/on.png"
icon "$work/on.png" "$out/player_attached.ico"
player 256 '#9AA3AD' '#E4E8EC' '#E4E8EC' "$work/off.png"
icon "$work/off.png" "$out/player_detached.ico"
