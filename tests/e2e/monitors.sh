#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Two monitors: the window starts centred on the first; "Switch to Monitor 2"
# centres it on the second and stores "CurMonitor", which the next start
# follows. With one monitor the entry is not offered.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder
# Split the 1920-pixel screen into two monitors side by side.
xrandr --setmonitor left 960/254x1080/286+0+0 screen >/dev/null
xrandr --setmonitor right 960/254x1080/286+960+0 none >/dev/null

start_app
wait_log "first map on screen"
win=$(main_window)
window_geometry "$win"
[ "$WIN_X" = 80 ] || fail "not centred on the first monitor: x=$WIN_X"
# Tools > Switch Monitor > Switch to Monitor 2
send_keys "$win" alt+f Left Left Down Down Down Down Down Down Down Right Down Return
wait_until 5 '[ "$(xdotool getwindowgeometry --shell "$win" | sed -n "s/^X=//p")" = 1040 ]' ||
  fail "not moved to the second monitor"
[ "$(setting_line CurMonitor)" = '"CurMonitor"=dword:00000001' ] || fail "CurMonitor not stored"
send_keys "$win" alt+f Down Return
wait_exit 10

start_app
wait_log "first map on screen"
window_geometry "$(main_window)"
[ "$WIN_X" = 1040 ] || fail "next start not on the second monitor: x=$WIN_X"
kill -TERM "$APP_PID"
wait_exit 10

note "a map wider than the monitor: the window starts at the monitor's left edge"
write_settings '"CurMonitor"=dword:00000001' '"Window Size"=dword:00000004'
start_app
wait_log "first map on screen"
window_geometry "$(main_window)"
[ "$WIN_X" = 960 ] && [ "$WIN_Y" -ge 0 ] || fail "a 1000-pixel map on a 960-pixel monitor at x=$WIN_X y=$WIN_Y"
kill -TERM "$APP_PID"
wait_exit 10

note "one monitor: the largest sizes stay on the screen"
xrandr --delmonitor left >/dev/null
xrandr --delmonitor right >/dev/null
for size in 6 7 8; do
  write_settings "\"Window Size\"=dword:0000000$size"
  start_app
  wait_log "first map on screen"
  window_geometry "$(main_window)"
  note "size $size: ${WIN_W}x$WIN_H at $WIN_X,$WIN_Y"
  if [ "$WIN_W" -ge 1920 ]; then
    [ "$WIN_X" = 0 ] || fail "size $size: left edge at $WIN_X, not the screen's"
  else
    [ "$WIN_X" -ge 0 ] && [ $((WIN_X + WIN_W)) -le 1920 ] || fail "size $size: off the screen sideways"
  fi
  [ "$WIN_Y" -ge 0 ] && { [ "$WIN_H" -ge 1080 ] || [ $((WIN_Y + WIN_H)) -le 1080 ]; } ||
    fail "size $size: off the screen at the bottom"
  kill -TERM "$APP_PID"
  wait_exit 10
done
echo "monitors: ok"
