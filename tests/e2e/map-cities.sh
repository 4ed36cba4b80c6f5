#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# A new user's first map shows cities with their times, the user's own city
# among them; WorldMap > "Add / Remove City on Map" puts one more there at
# once. Only the very first start stores cities of its own.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder

libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
[ -n "$libfaketime" ] || fail "libfaketime not found"
# 12:00 UTC in January: night over the Pacific and Alaska, where labels are
# white on black.
offset=$(($(date -u -d '2027-01-15 12:00:05' +%s) - $(date +%s)))
faked=(LD_PRELOAD="$libfaketime" FAKETIME="+$offset" FAKETIME_DONT_FAKE_MONOTONIC=1)

# White label pixels in a box of the map around a place (lat, lon).
label_pixels() {  # label_pixels WINDOW LAT LON
  window_geometry "$1"
  local mh=$((WIN_W / 2))
  local x=$((WIN_X + WIN_W / 2 + $3 * WIN_W / 360)) y=$((WIN_Y + WIN_H - mh + (90 - $2) * mh / 180))
  import -window root -crop "110x80+$((x - 55))+$((y - 40))" +repage "$WORK/label.png"
  convert "$WORK/label.png" -colorspace Gray -threshold 85% -format '%[fx:int(w*h*mean)]' info:
}

start_app TZ=Asia/Kathmandu "${faked[@]}"
wait_log "first map on screen"
win=$(main_window)
cities=$(display_cities)
note "first start stored: $(echo "$cities" | paste -sd '|')"
echo "$cities" | grep -qx "London, United Kingdom" || fail "no London among the first cities"
echo "$cities" | grep -qx "Kathmandu, Nepal" || fail "the user's own city is missing"
echo "$cities" | grep -qx "Delhi, India" && fail "Delhi would print over Kathmandu"
[ "$(echo "$cities" | grep -c .)" -ge 10 ] || fail "too few cities"
honolulu=$(label_pixels "$win" 21 -158)
note "label pixels at Honolulu: $honolulu"
[ "$honolulu" -ge 40 ] || fail "no label at Honolulu on the first map"
import -window root "$WORK/first-map.png"

note "WorldMap > Add / Remove City on Map: Anchorage"
before=$(label_pixels "$win" 61 -150)
send_keys "$win" alt+f Right Right Return
wait_until 10 '[ -n "$(xdotool search --onlyvisible --name "^Add / Remove Cities on World Map$" 2>/dev/null)" ]' ||
  fail "no map city dialog"
dlg=$(xdotool search --onlyvisible --name "^Add / Remove Cities on World Map$" | head -n1)
xdotool windowfocus --sync "$dlg"
xdotool type --delay 60 anchorage
# Return adds the best match and leaves the focus in the filter box.
send_keys "$dlg" Return Tab Tab Tab Tab Tab space
wait_until 10 '[ -z "$(xdotool search --onlyvisible --name "^Add / Remove Cities on World Map$" 2>/dev/null)" ]' ||
  fail "the dialog stays open"
display_cities | grep -qx "Anchorage, United States" || fail "Anchorage not stored"
wait_until 5 '[ "$(label_pixels "$win" 61 -150)" -ge $((before + 40)) ]' ||
  fail "no label at Anchorage ($before pixels before, $(label_pixels "$win" 61 -150) after)"

send_keys "$win" alt+f Down Return  # File > Exit World Clock
wait_exit 10

note "a later start without stored cities stores none"
write_settings '"Theme"=dword:00000001'
start_app TZ=Asia/Kathmandu
wait_log "first map on screen"
[ -z "$(display_cities)" ] || fail "cities stored on a later start"
kill -TERM "$APP_PID"
wait_exit 10
echo "map cities: ok"
