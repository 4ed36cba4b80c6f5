#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The tick against a moving clock: the base map is recomposed at second 50 of
# every fifth minute and drawn at the next full minute; other full minutes
# redraw the caption over the same base map, and nothing is drawn between.
# The clock is moved with faketime; the program is never told about it. The
# computer's zone is WC_TZ (UTC unless set): every instant below is UTC, and
# the picture must be the same whatever the zone.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder

libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
[ -n "$libfaketime" ] || fail "libfaketime not found"
clock_file="$WORK/faketime"
zone=${WC_TZ:-UTC}
note "zone $zone"

# The fake clock runs at real speed; set_clock moves it so that it now reads
# the given UTC time (plus the fraction of the current real second).
OFFSET=0
set_clock() {
  local target now
  target=$(date -u -d "2026-12-09 $1" +%s)
  now=$(date +%s)
  OFFSET=$((target - now))
  if [ $OFFSET -ge 0 ]; then echo "+$OFFSET" >"$clock_file"; else echo "$OFFSET" >"$clock_file"; fi
}
# The fake clock's reading in milliseconds; a reading of hh:mm:ss.fff in the same.
fake_ms() { echo $(($(date +%s%3N) + OFFSET * 1000)); }
clock_ms() { date -u -d "2026-12-09 $1" +%s%3N; }
# Screenshots of the map one after another until the fake clock reads $2:
# each taken wholly before then must equal $1, and one at least must end
# after $3, so that every tick before it had its chance to draw; the last of
# them is kept as $4. On a loaded machine this watches as long as a single
# screenshot at a fixed time would, without depending on when it came.
stays_until() {  # stays_until BASE.png UNTIL SINCE OUT.png MESSAGE
  local limit since n=0 t
  limit=$(clock_ms "$2")
  since=$(clock_ms "$3")
  while :; do
    shot_map "$win" "$WORK/now.png"
    t=$(fake_ms)
    [ "$t" -lt "$limit" ] || break
    [ "$(pixel_diff "$1" "$WORK/now.png")" = 0 ] || fail "$5"
    cp "$WORK/now.png" "$4"
    if [ "$t" -ge "$since" ]; then n=$((n + 1)); fi
  done
  [ "$n" -ge 1 ] || fail "no screenshot between $3 and $2"
}
# Takes screenshots of the map into $2 until the condition holds, as long as
# the fake clock reads before $1.
shot_until() {  # shot_until UNTIL OUT.png 'CONDITION'
  local limit
  limit=$(clock_ms "$1")
  while [ "$(fake_ms)" -lt "$limit" ]; do
    shot_map "$win" "$2"
    eval "$3" && return 0
  done
  return 1
}
# Sleeps until the fake clock reads hh:mm:ss.fff.
wait_clock() {
  local target now
  target=$(date -u -d "2026-12-09 $1" +%s.%N)
  now=$(date +%s.%N)
  local delay
  delay=$(awk -v t="$target" -v o="$OFFSET" -v n="$now" 'BEGIN { d = t - o - n; printf "%.3f", (d > 0 ? d : 0) }')
  sleep "$delay"
}

# Not a first start: no cities on the map, so at a full minute only the
# caption has anything new to show.
write_settings
set_clock 10:04:40
start_app LD_PRELOAD="$libfaketime" FAKETIME_TIMESTAMP_FILE="$clock_file" FAKETIME_NO_CACHE=1 \
  FAKETIME_DONT_FAKE_MONOTONIC=1 TZ="$zone"
wait_log "first map on screen"
win=$(main_window)
caption=40  # rows of the date caption, left out where only the caption may change

wait_clock 10:04:44.5
shot_map "$win" "$WORK/a.png"

note "six hours later, at 16:04:52: nothing is drawn before the full minute"
set_clock 16:04:52
stays_until "$WORK/a.png" 16:04:59.8 16:04:56.5 "$WORK/b.png" "the map changed between full minutes"

note "16:05:00: the caption is redrawn over the old base map (16:04:50 was no slot)"
wait_clock 16:05:00.2
# Anything drawn before 16:05:50 can only be this minute's.
shot_until 16:05:40 "$WORK/c.png" '[ "$(pixel_diff "$WORK/b.png" "$WORK/c.png")" -gt 0 ]' ||
  fail "nothing redrawn at 16:05:00"
convert "$WORK/b.png" -crop "+0+$caption" +repage "$WORK/b-below.png"
convert "$WORK/c.png" -crop "+0+$caption" +repage "$WORK/c-below.png"
[ "$(pixel_diff "$WORK/b-below.png" "$WORK/c-below.png")" = 0 ] || fail "the base map changed at 16:05:00"

note "16:05:50 recomposes, still not drawn at 16:05:55"
set_clock 16:05:46
stays_until "$WORK/c.png" 16:05:59.8 16:05:55.5 "$WORK/d.png" "the map was drawn at second 50"

note "16:06:00 draws the map recomposed at 16:05:50"
convert "$WORK/d.png" -crop "+0+$caption" +repage "$WORK/d-below.png"
total=$(identify -format '%[fx:w*h]' "$WORK/d-below.png")
new_base() {
  convert "$WORK/e.png" -crop "+0+$caption" +repage "$WORK/e-below.png"
  changed=$(pixel_diff "$WORK/d-below.png" "$WORK/e-below.png")
  [ "$changed" -gt $((total / 20)) ]
}
wait_clock 16:06:00.2
shot_until 16:06:40 "$WORK/e.png" new_base || fail "the new base map did not reach the screen at 16:06:00"
note "pixels of the map that changed at 16:06:00: $changed of $total"
note "the day side is where the sun stands at 16:06 UTC (about 60 degrees west), not at its antipode"
# Mean brightness of a band of columns around a longitude (east positive),
# between the latitudes 50 N and 50 S.
band() {
  local w h x
  w=$(identify -format '%w' "$WORK/e.png")
  h=$(identify -format '%h' "$WORK/e.png")
  x=$((w / 2 + $1 * w / 360 - w / 40))
  convert "$WORK/e.png" -crop "$((w / 20))x$((h * 100 / 180))+$x+$((h * 40 / 180))" -colorspace Gray \
    -format '%[fx:int(1000*mean)]' info:
}
day=$(band -60)
night=$(band 120)
note "brightness at 60 W: $day, at 120 E: $night"
[ "$day" -gt $((2 * night)) ] || fail "the sun is not at 60 W at 16:06 UTC"
kill -TERM "$APP_PID"
wait_exit 10
echo "tick: ok"
