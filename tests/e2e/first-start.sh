#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# First start: the data folder is made and seeded, an existing per-user file
# is kept, and the window shows the shaded map.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder

# The desktop's opener, standing in for the user's browser.
mkdir -p "$WORK/bin"
printf '#!/bin/sh\necho "$1" >"%s"\n' "$WORK/opened" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
start_app PATH="$WORK/bin:$PATH" TZ=America/St_Johns
wait_log "first map on screen"
win=$(main_window)
[ -d "$DATA_FOLDER" ] || fail "data folder not created"
cmp -s "$DATA_FOLDER/citydata.dat" "$WORK/program/citydata.dat" || fail "citydata.dat not seeded"
if [ -e "$WORK/program/reminders.dat" ]; then
  cmp -s "$DATA_FOLDER/reminders.dat" "$WORK/program/reminders.dat" || fail "reminders.dat not seeded"
fi

note "the user's own city is the zone's: St John's in Newfoundland, not its namesake in Antigua"
display_cities | grep -qx "St John's, Canada" || fail "own city: $(display_cities | tail -n1)"

# 800 x 400 by default, with the map drawn (not the black of the loading state).
window_geometry "$win"
[ "$WIN_W" = 800 ] || fail "window width $WIN_W, expected 800"
shot_map "$win" "$WORK/map.png" 40
lit=$(lit_percent "$WORK/map.png")
note "lit share of the map: $lit %"
[ "$lit" -ge 30 ] || fail "the map looks empty ($lit % lit)"

note "the hover hint: shown near a city, following the pointer, gone where there is none"
point_at "$win" 51 0  # London
wait_until 5 '[ -n "$(open_menus)" ]' || fail "no hint over London"
point_at "$win" -65 -120  # the Southern Ocean, far from any city
wait_until 3 '[ -z "$(open_menus)" ]' || fail "the hint stays where no city is"
point_at "$win" 56 38  # Moscow
wait_until 3 '[ -n "$(open_menus)" ]' || fail "no hint over Moscow"
xdotool mousemove 5 1000

note "Help > Online Help opens the shipped guide with the desktop's opener"
send_keys "$win" alt+f Left Return
wait_until 10 '[ -s "$WORK/opened" ]' || fail "nothing opened"
opened=$(cat "$WORK/opened")
case "$opened" in
  file://*/help/index.html) ;;
  *) fail "opened '$opened'" ;;
esac
[ -s "${opened#file://}" ] || fail "the guide $opened is missing"

send_keys "$win" alt+f Down Return  # File > Exit World Clock
wait_exit 10

# Later starts keep the user's copy even when the shipped one differs.
echo '<cities><city><name>Mine</name></city></cities>' >"$DATA_FOLDER/citydata.dat"
start_app
wait_log "first map on screen"
grep -q Mine "$DATA_FOLDER/citydata.dat" || fail "the user's citydata.dat was overwritten"
kill -TERM "$APP_PID"
wait_exit 10

note "without the clock theme descriptions: one warning each, then the window"
rm "$WORK/program/askins/aclock.ini" "$WORK/program/dskins/dclock.ini"
warnings() { xdotool search --onlyvisible --name '^Warning$' 2>/dev/null || true; }
start_app
for n in 1 2; do
  wait_until 10 '[ -n "$(warnings)" ]' || fail "warning $n missing"
  box=$(warnings | head -n1)
  send_keys "$box" Return
  wait_until 5 '! warnings | grep -qx "$box"' || fail "warning $n stays"
done
wait_log "first map on screen"
kill -TERM "$APP_PID"
wait_exit 10
echo "first start: ok"
