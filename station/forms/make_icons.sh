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
# The search view: the call list's sort arrows and call directions, and the pictures of its tool
# buttons and playback panel.
small() {  # name, then drawing arguments
  local name=$1; shift
  convert -size 16x16 xc:none "$@" "$out/$name.ico"
}
small search_sort_up -fill '#808080' -stroke none -draw 'polygon 4,11 12,11 8,5'
small search_sort_down -fill '#808080' -stroke none -draw 'polygon 4,5 12,5 8,11'
small search_call_out -fill '#008000' -stroke '#004000' -draw 'circle 8,8 8,3' -fill white -draw 'polygon 6,5 11,8 6,11'
small search_call_in -fill '#0040c8' -stroke '#002060' -draw 'circle 8,8 8,3' -fill white -draw 'polygon 10,5 5,8 10,11'
small search_call_missed -fill '#c80000' -stroke '#600000' -draw 'circle 8,8 8,3' -stroke white -draw 'line 6,6 10,10' -draw 'line 10,6 6,10'
small search_call_unknown -fill '#808080' -stroke '#404040' -draw 'circle 8,8 8,3'
small search_params -fill white -stroke '#303840' -draw 'rectangle 2,2 13,13' -stroke '#3070d0' -draw 'line 4,5 11,5' -draw 'line 4,8 11,8' -draw 'line 4,11 9,11'
small search_find -fill '#c0e0ff' -stroke '#303840' -strokewidth 2 -draw 'circle 6,6 6,2' -draw 'line 9,9 14,14'
small search_volume -fill '#404040' -stroke none -draw 'polygon 2,6 5,6 9,2 9,14 5,10 2,10' -stroke '#404040' -fill none -draw 'arc 8,4 14,12 -60,60'
small search_muted -fill '#404040' -stroke none -draw 'polygon 2,6 5,6 9,2 9,14 5,10 2,10' -stroke '#d03030' -strokewidth 2 -draw 'line 11,5 15,11' -draw 'line 15,5 11,11'
small search_save -fill '#3070d0' -stroke '#103060' -draw 'rectangle 2,2 13,13' -fill white -stroke none -draw 'rectangle 4,3 11,7' -fill '#103060' -draw 'rectangle 5,10 10,13'
small search_delete -stroke '#d03030' -strokewidth 3 -draw 'line 3,3 12,12' -draw 'line 12,3 3,12'
small search_note -fill '#fff0a0' -stroke '#807020' -draw 'rectangle 3,1 12,14' -stroke '#404040' -draw 'line 5,5 10,5' -draw 'line 5,8 10,8' -draw 'line 5,11 8,11'
small search_export -fill white -stroke '#303840' -draw 'rectangle 1,3 9,14' -fill '#20b040' -stroke '#105020' -draw 'polygon 8,6 12,6 12,3 15,8 12,13 12,10 8,10'
small search_play -fill '#20b040' -stroke '#105020' -draw 'polygon 4,2 4,14 13,8'
small search_stop -fill '#d03030' -stroke '#601010' -draw 'rectangle 3,3 12,12'
small search_previous -fill '#3070d0' -stroke none -draw 'rectangle 2,3 4,13' -draw 'polygon 13,3 13,13 5,8'
small search_rewind -fill '#3070d0' -stroke none -draw 'polygon 8,3 8,13 1,8' -draw 'polygon 15,3 15,13 8,8'
small search_pause -fill '#3070d0' -stroke none -draw 'rectangle 3,3 6,13' -draw 'rectangle 9,3 12,13'
small search_forward -fill '#3070d0' -stroke none -draw 'polygon 1,3 1,13 8,8' -draw 'polygon 8,3 8,13 15,8'
small search_next -fill '#3070d0' -stroke none -draw 'polygon 3,3 3,13 11,8' -draw 'rectangle 11,3 13,13'
small search_clock -fill white -stroke '#303840' -draw 'circle 8,8 8,2' -draw 'line 8,8 8,4' -draw 'line 8,8 11,9'
small search_fewer -fill '#303840' -stroke none -draw 'polygon 3,11 13,11 8,5'
small search_more -fill '#303840' -stroke none -draw 'polygon 3,5 13,5 8,11'
small search_close -stroke '#404040' -strokewidth 2 -draw 'line 4,4 11,11' -draw 'line 11,4 4,11'
