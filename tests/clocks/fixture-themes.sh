#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Small clock themes for tests, in the shipped formats: askins/aclock.ini with
# two analog themes (one of the menu's, one only the set-up dialog offers) and
# dskins/dclock.ini with two digital ones. Plain shapes, drawn with ImageMagick.
#   fixture-themes.sh PROGRAM_FOLDER
set -euo pipefail
p=${1:?program folder}
mkdir -p "$p/askins/small" "$p/askins/medium" "$p/dskins"

face() {  # face NAME FILL RIM
  local name=$1 fill=$2 rim=$3 ticks
  ticks=$(awk 'BEGIN { for (h = 0; h < 12; h++) { a = h * 3.14159265 / 6;
    printf " line %.1f,%.1f %.1f,%.1f", 100 + 84 * sin(a), 100 - 84 * cos(a), 100 + 72 * sin(a), 100 - 72 * cos(a) } }')
  convert -size 200x200 xc:none -fill "$fill" -stroke "$rim" -strokewidth 6 -draw 'circle 100,100 100,4' \
    -stroke "$rim" -strokewidth 4 -draw "$ticks" "PNG32:$p/askins/$name.png"
  convert "$p/askins/$name.png" -resize 150x150 "PNG32:$p/askins/medium/$name.png"
  convert "$p/askins/$name.png" -resize 100x100 "PNG32:$p/askins/small/$name.png"
}
face Classic '#f6f1e4' '#3a3a3a'
face 'Test Face' '#1d2b44' '#c8d2e0'
# Classic also at twice the size, a shade apart so a test sees which is shown;
# 'Test Face' has none.
for f in Classic.png medium/Classic.png small/Classic.png; do
  convert "$p/askins/$f" -resize 200% -fill '#f0e8d8' -opaque '#f6f1e4' "PNG32:$p/askins/${f%.png}@2x.png"
done
# Hands point down from their pivot; pivots are given in aclock.ini.
# Each hand's pivot differs from the others' in both axes, so a pivot taken
# from another hand's key shows.
convert -size 30x100 xc:none -fill '#202020' -draw 'roundrectangle 16,0 23,98 3,3' "PNG32:$p/askins/fx-hour.png"
convert -size 10x124 xc:none -fill '#202020' -draw 'roundrectangle 2,0 7,122 2,2' "PNG32:$p/askins/fx-minute.png"
convert -size 6x134 xc:none -fill '#d02020' -draw 'rectangle 2,0 3,132' "PNG32:$p/askins/fx-second.png"
convert -size 16x16 xc:none -fill '#d02020' -draw 'circle 8,8 8,2' "PNG32:$p/askins/fx-cap.png"
for f in fx-hour fx-minute fx-second fx-cap; do
  convert "$p/askins/$f.png" -filter point -resize 200% "PNG32:$p/askins/$f@2x.png"
done
printf '%s\r\n' '[Classic]' 'SecondImage=fx-second' 'RoundImage=fx-cap' 'HourImage=fx-hour' \
  'MinuteImage=fx-minute' 'TYCity=52' 'TYDate=130' 'TextColor=Black' 'TXHour=20' 'TYHour=22' \
  'TXMinute=5' 'TYMinute=12' 'TXSecond=3' 'TYSecond=24' '' '[Test Face]' 'SecondImage=fx-second' \
  'HourImage=fx-hour' 'MinuteImage=fx-minute' 'TYCity=52' 'TYDate=130' 'TextColor=White' 'TXHour=20' \
  'TYHour=22' 'TXMinute=5' 'TYMinute=12' 'TXSecond=3' 'TYSecond=24' >"$p/askins/aclock.ini"

bitmap() {  # bitmap FILE-STEM BACKGROUND
  convert -size 143x83 "gradient:$2-black" -fill none -stroke '#ffffff40' -draw 'rectangle 0,0 142,82' \
    "BMP3:$p/dskins/$1.bmp"
  convert "$p/dskins/$1.bmp" -crop 143x62+0+0 +repage "BMP3:$p/dskins/${1}small.bmp"
}
bitmap SkyBlue '#4a90d0'
convert "$p/dskins/SkyBlue.bmp" -resize 200% "BMP3:$p/dskins/SkyBlue@2x.bmp"
bitmap FireBrick '#b22222'
# Colours in the platform's form: red + 256 green + 65536 blue.
printf '%s\r\n' '[Sky Blue]' 'TimeColor=16777215' 'DateColor=15790320' 'CityColor=65535' '' \
  '[Fire Brick]' 'TimeColor=65535' 'DateColor=16777215' 'CityColor=16777215' >"$p/dskins/dclock.ini"
