#!/usr/bin/env bash
# The tick against a moving clock: the base map is recomposed at second 50 of
# every fifth minute and drawn at the next full minute; other full minutes
# redraw the caption over the same base map, and nothing is drawn between.
# The clock is moved with faketime; the program is never told about it.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder

libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
[ -n "$libfaketime" ] || fail "libfaketime not found"
clock_file="$WORK/faketime"

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
  FAKETIME_DONT_FAKE_MONOTONIC=1 TZ=UTC
wait_log "first map on screen"
win=$(main_window)
caption=40  # rows of the date caption, left out where only the caption may change

wait_clock 10:04:44.5
shot_map "$win" "$WORK/a.png"

note "six hours later, at 16:04:52: nothing is drawn before the full minute"
set_clock 16:04:52
wait_clock 16:04:56.5
shot_map "$win" "$WORK/b.png"
[ "$(pixel_diff "$WORK/a.png" "$WORK/b.png")" = 0 ] || fail "the map changed between full minutes"

note "16:05:00: the caption is redrawn over the old base map (16:04:50 was no slot)"
wait_clock 16:05:02
shot_map "$win" "$WORK/c.png"
[ "$(pixel_diff "$WORK/b.png" "$WORK/c.png")" -gt 0 ] || fail "nothing redrawn at 16:05:00"
convert "$WORK/b.png" -crop "+0+$caption" +repage "$WORK/b-below.png"
convert "$WORK/c.png" -crop "+0+$caption" +repage "$WORK/c-below.png"
[ "$(pixel_diff "$WORK/b-below.png" "$WORK/c-below.png")" = 0 ] || fail "the base map changed at 16:05:00"

note "16:05:50 recomposes, still not drawn at 16:05:55"
set_clock 16:05:46
wait_clock 16:05:55.5
shot_map "$win" "$WORK/d.png"
[ "$(pixel_diff "$WORK/c.png" "$WORK/d.png")" = 0 ] || fail "the map was drawn at second 50"

note "16:06:00 draws the map recomposed at 16:05:50"
wait_clock 16:06:02
shot_map "$win" "$WORK/e.png"
convert "$WORK/d.png" -crop "+0+$caption" +repage "$WORK/d-below.png"
convert "$WORK/e.png" -crop "+0+$caption" +repage "$WORK/e-below.png"
changed=$(pixel_diff "$WORK/d-below.png" "$WORK/e-below.png")
total=$(identify -format '%[fx:w*h]' "$WORK/e-below.png")
note "pixels of the map that changed at 16:06:00: $changed of $total"
[ "$changed" -gt $((total / 20)) ] || fail "the new base map did not reach the screen at 16:06:00"
kill -TERM "$APP_PID"
wait_exit 10
echo "tick: ok"
