#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The meeting planner end to end, in Kolkata (UTC+5:30) on a Friday evening:
# opened from the Tools menu with the own city and the map's London, two
# cities added through its city box (Kathmandu, UTC+5:45, and Dubai, UTC+4),
# Next Good Slot for an hour, Copy; the clipboard holds one line per city
# that agrees with date(1) in each city's zone for the slot's instant.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder

libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
[ -n "$libfaketime" ] || fail "libfaketime not found"
# Friday 11 December 2026, 12:00 UTC: 17:30 in Kolkata, after its working day.
# Working hours are 09:00-17:00 from Monday to Friday everywhere: Kolkata
# 03:30-11:30 UTC, London 09:00-17:00, Kathmandu 03:15-11:15, Dubai
# 05:00-13:00. The first hour in all four is on Monday at 09:00 UTC.
now='2026-12-11 17:30:00'  # faketime reads it in the program's zone
slot=$(date -u -d '2026-12-14 09:00' +%s)
write_settings "$(multi_sz 'Display Cities' 'London, United Kingdom')"
start_app TZ=Asia/Kolkata LD_PRELOAD="$libfaketime" FAKETIME="@$now"
wait_log "first map on screen" 60
win=$(main_window)

send_keys "$win" alt+t p  # Tools > Meeting Planner
wait_until 15 '[ -n "$(tool_windows MeetingPlanner)" ]' || fail "no meeting planner"
planner=$(tool_windows MeetingPlanner | head -n1)

chooser() { xdotool search --onlyvisible --name '^Add City$' 2>/dev/null | head -n1; }
add_city() {  # add_city TEXT: the first city the box offers for it
  send_keys "$planner" alt+a
  wait_until 10 '[ -n "$(chooser)" ]' || fail "Add City opened no chooser"
  xdotool windowfocus --sync "$(chooser)"
  xdotool type --delay 60 "$1"
  xdotool key Return
  wait_until 10 '[ -z "$(chooser)" ]' || fail "the chooser stays open"
}
add_city Kathmandu
add_city Dubai

send_keys "$planner" alt+n  # Next Good Slot, an hour by default
send_keys "$planner" alt+c  # Copy
wait_until 10 'xclip -o -selection clipboard >/dev/null 2>&1' || fail "nothing on the clipboard"
xclip -o -selection clipboard >"$WORK/copied.txt"

# The line each city should give, from the system's own zone data.
line() {  # line NAME ZONE
  local z h m sign
  z=$(TZ=$2 date -d "@$slot" +%z)
  sign=${z:0:1} h=$((10#${z:1:2})) m=${z:3:2}
  [ "$m" = 00 ] && m= || m=":$m"
  echo "$1 — $(TZ=$2 date -d "@$slot" '+%a %-d %b %Y, %I:%M %p') (UTC$sign$h$m)"
}
{
  line 'Kolkata, India' Asia/Kolkata
  line 'London, United Kingdom' Europe/London
  line 'Kathmandu, Nepal' Asia/Kathmandu
  line 'Dubai, United Arab Emirates' Asia/Dubai
} >"$WORK/expected.txt"
echo >>"$WORK/copied.txt"
diff -u "$WORK/expected.txt" "$WORK/copied.txt" || fail "the copied slot differs from date(1)"
note "copied: $(head -n1 "$WORK/copied.txt") …"

note "the choice of cities is stored"
send_keys "$planner" Escape
wait_until 10 '[ -z "$(tool_windows MeetingPlanner)" ]' || fail "Escape did not close the planner"
wait_until 10 '[ -n "$(setting_line "Planner Cities")" ]' || fail "no \"Planner Cities\" stored"
echo "# passed"
