#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# A second start on the same desktop warns and ends; the first is untouched.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder

start_app
wait_log "first map on screen"
win=$(main_window)
window_geometry "$win"
before="$WIN_X $WIN_Y $WIN_W $WIN_H"
first=$APP_PID

"$PROGRAM" >"$WORK/app-second.log" 2>&1 &
second=$!
warning=$(xdotool search --sync --onlyvisible --name '^Warning!$' | head -n1)
[ -n "$warning" ] || fail "no warning window"
# The warning offers its one button; Return presses it and the copy ends.
send_keys "$warning" Return
wait_until 10 "! kill -0 $second 2>/dev/null" || fail "second copy still running"
wait "$second" || fail "second copy ended with an error"
grep -q "first map" "$WORK/app-second.log" && fail "second copy drew a map"

kill -0 "$first" || fail "first copy ended"
window_geometry "$win"
[ "$WIN_X $WIN_Y $WIN_W $WIN_H" = "$before" ] || fail "first window moved: $before -> $WIN_X $WIN_Y $WIN_W $WIN_H"
[ "$(visible_main_windows)" = 1 ] || fail "first window not visible"
kill -TERM "$APP_PID"
wait_exit 10
echo "second instance: ok"
