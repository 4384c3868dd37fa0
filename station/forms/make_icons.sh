#!/usr/bin/env bash
# Draws the program's icons with ImageMagick into the folder $1.
set -euo pipefail
out=$1
mkdir -p "$out"
dot() {  # name colour
  convert -size 16x16 xc:none -fill "$2" -stroke '#202020' -draw 'circle 8,8 8,2' "$out/$1.ico"
}
dot small_connected '#20b040'
dot small_disconnected '#a0a0a0'
dot small_paused '#d03030'
convert -size 16x16 xc:none -fill '#3070d0' -stroke '#103060' -draw 'rectangle 2,3 13,12' \
  -fill white -stroke none -draw 'polygon 6,5 6,11 11,8' "$out/small_idle.ico"
convert -size 16x16 xc:none -fill '#d03030' -stroke '#601010' -draw 'rectangle 3,3 12,12' "$out/small_off.ico"
# The tray animation: an arrow moving down into a tray.
for i in 0 1 2 3; do
  y=$((2 + i * 2))
  convert -size 16x16 xc:none -fill '#3070d0' -stroke '#103060' -draw 'rectangle 1,11 14,14' \
    -fill '#20b040' -stroke '#105020' -draw "polygon 4,$y 12,$y 8,$((y + 5))" "$out/tray_$i.ico"
done
# The call types of the call properties: none (a blank), outgoing, incoming, missed.
convert -size 16x16 xc:none "$out/call_none.ico"
convert -size 16x16 xc:none -fill '#3070d0' -stroke '#103060' -draw 'rectangle 1,9 6,14' \
  -stroke '#3070d0' -strokewidth 2 -draw 'line 5,10 13,2' -draw 'line 8,2 13,2' -draw 'line 13,2 13,7' "$out/call_out.ico"
convert -size 16x16 xc:none -fill '#20b040' -stroke '#105020' -draw 'rectangle 1,9 6,14' \
  -stroke '#20b040' -strokewidth 2 -draw 'line 14,1 7,8' -draw 'line 7,8 12,8' -draw 'line 7,8 7,3' "$out/call_in.ico"
convert -size 16x16 xc:none -fill '#d03030' -stroke '#601010' -draw 'rectangle 1,9 6,14' \
  -stroke '#d03030' -strokewidth 2 -draw 'line 8,2 14,8' -draw 'line 14,2 8,8' "$out/call_missed.ico"
big() {  # name, then drawing arguments
  local name=$1; shift
  convert -size 32x32 xc:none "$@" "$out/$name.ico"
}
big large_start -fill '#20b040' -stroke '#105020' -strokewidth 2 -draw 'polygon 9,5 9,27 27,16'
big large_stop -fill '#d03030' -stroke '#601010' -strokewidth 2 -draw 'rectangle 7,7 25,25'
big large_settings -fill '#808890' -stroke '#303840' -strokewidth 2 -draw 'circle 16,16 16,4' \
  -fill white -draw 'circle 16,16 16,11'
big large_exit -fill '#e0e0e0' -stroke '#404040' -strokewidth 2 -draw 'rectangle 6,4 22,28' \
  -stroke '#d03030' -strokewidth 3 -draw 'line 14,16 29,16' -draw 'line 24,11 29,16' -draw 'line 24,21 29,16'
big large_state -fill white -stroke '#303840' -strokewidth 2 -draw 'rectangle 4,5 28,27' \
  -stroke '#3070d0' -draw 'line 8,11 24,11' -draw 'line 8,16 24,16' -draw 'line 8,21 24,21'
big large_query -fill '#c0e0ff' -stroke '#303840' -strokewidth 3 -draw 'circle 13,13 13,5' \
  -draw 'line 19,19 28,28'
convert -size 32x32 xc:none -fill '#2050a0' -stroke '#102040' -draw 'roundrectangle 1,1 30,30 6,6' \
  -fill white -stroke white -strokewidth 3 -draw 'line 8,8 16,24' -draw 'line 16,24 24,8' "$out/main32.png"
convert "$out/main32.png" \( +clone -resize 16x16 \) "$out/main.ico"
