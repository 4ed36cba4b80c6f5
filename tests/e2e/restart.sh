#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The map size chosen from the menu, and the window placement, survive a
# restart.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder

start_app
wait_log "first map on screen"
win=$(main_window)
# WorldMap > Change Map Size > "1000 x 500": the third menu, its third entry,
# then the fifth size.
send_keys "$win" alt+f Right Right Down Down Right Down Down Down Down Return
wait_until 5 "xdotool getwindowgeometry --shell $win | grep -qx WIDTH=1000" || fail "map size not applied"
[ "$(setting_line 'Window Size')" = '"Window Size"=dword:00000004' ] || fail "Window Size not stored: $(setting_line 'Window Size')"
window_geometry "$win"
size_before="$WIN_W $WIN_H"
send_keys "$win" alt+f Down Return  # File > Exit World Clock
wait_exit 10
placement=$(setting_line 'Window Position')
[ -n "$placement" ] || fail "no Window Position stored"
note "stored: $placement"

start_app
wait_log "first map on screen"
win=$(main_window)
window_geometry "$win"
[ "$WIN_W $WIN_H" = "$size_before" ] || fail "size after restart $WIN_W x $WIN_H, before $size_before"
# The window is placed centred on its monitor again.
[ $((WIN_X + WIN_W / 2)) -ge 955 ] && [ $((WIN_X + WIN_W / 2)) -le 965 ] || fail "not centred: x=$WIN_X"
shot_map "$win" "$WORK/map.png" 40
[ "$(lit_percent "$WORK/map.png")" -ge 30 ] || fail "no map at the restored size"
kill -TERM "$APP_PID"
wait_exit 10
echo "restart: ok"
