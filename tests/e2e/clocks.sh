#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Desktop clocks on a real X server, once without a compositor (faces cut by
# a shape) and once with xcompmgr (per-pixel alpha): the clocks of the list
# files come back at their places and sizes, only the second hand moves from
# one second to the next, a drag moves a clock and is kept at once, a change
# made from a clock's menu survives a kill -9 right after it, and a normal
# exit and start bring every clock back as it was. The clocks follow a
# compositor that starts and stops, and one left where no monitor is comes
# back onto one.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder
# The shipped themes, or the test fixtures while none ship.
if [ ! -e "$WORK/program/askins/Classic.png" ] || [ ! -e "$WORK/program/dskins/SkyBlue.bmp" ]; then
  rm -rf "$WORK/program/askins" "$WORK/program/dskins"
  bash "$E2E_DIR/../clocks/fixture-themes.sh" "$WORK/program"
fi
AFILE=$DATA_FOLDER/aclocks.dat
DFILE=$DATA_FOLDER/dclocks.dat

source "$E2E_DIR/../clocks/clock-lists.sh"
write_clock_files() {
  local a=$WORK/program/askins d=$WORK/program/dskins
  mkdir -p "$DATA_FOLDER"
  { aclock "$a/Classic.png" "Kathmandu, Nepal" Kathmandu 0.239583333333333 40 40 200
    aclock "$a/Classic.png" "St. John's, Canada" "St. John's" -0.145833333333333 280 40 150
    aclock "$a/Classic.png" "Lima, Peru" Lima -0.208333333333333 470 40 100 -1
  } | clock_list aclocks >"$AFILE"
  { dclock "$d/Sky Blue.bmp" "Tokyo, Japan" Tokyo 0.375 40 300
    dclock "$d/Sky Blue.bmp" "London, United Kingdom" London 0 260 300 -1
  } | clock_list dclocks >"$DFILE"
}

wait_clock() {
  WANTED=$1  # wait_until evaluates its condition with its own arguments
  wait_until 15 '[ -n "$(clock_window "$WANTED")" ]' || fail "no clock for $1"
  clock_window "$1"
}
warnings() { xdotool search --onlyvisible --name '^Warning' 2>/dev/null || true; }
expect_geometry() {  # expect_geometry WINDOW X Y W H
  window_geometry "$1"
  [ "$WIN_X,$WIN_Y,$WIN_W,$WIN_H" = "$2,$3,$4,$5" ] || fail "window at $WIN_X,$WIN_Y ${WIN_W}x$WIN_H, not $2,$3 $4x$5"
}
# The visible window of the program with this size (the set-up dialogs).
sized_window() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^tavrel-world-clock$' 2>/dev/null); do
    [ "$(xdotool getwindowgeometry "$w" | awk '/Geometry:/ {print $2}')" = "$1" ] && echo "$w"
  done | head -n1
}
exit_app() {
  send_keys "$MAIN" alt+f Down Return
  wait_exit 15
}

run_scenario() {  # run_scenario shaped|composited
  local mode=$1 comp=
  note "--- $mode"
  if [ "$mode" = composited ]; then
    xcompmgr >/dev/null 2>&1 &
    comp=$!
    PIDS+=("$comp")
    wait_until 5 'xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1; xdpyinfo >/dev/null' || true
    sleep 0.5
  fi
  rm -rf "$DATA_FOLDER"
  write_clock_files
  start_app env TZ=America/St_Johns
  wait_log "first map on screen"
  MAIN=$(main_window)
  [ -z "$(warnings)" ] || fail "a warning box at start"

  local big med small tokyo london
  big=$(wait_clock "Kathmandu, Nepal")
  med=$(wait_clock "St. John's, Canada")
  small=$(wait_clock "Lima, Peru")
  tokyo=$(wait_clock "Tokyo, Japan")
  london=$(wait_clock "London, United Kingdom")
  expect_geometry "$big" 40 40 200 200
  expect_geometry "$med" 280 40 150 150
  expect_geometry "$small" 470 40 100 100
  if [ "$mode" = shaped ]; then
    xwininfo -shape -id "$big" | grep -q 'Window shape extents' || fail "the face is not cut out"
  else
    xwininfo -id "$big" | grep -q 'Depth: 32' || fail "no per-pixel alpha with a compositor"
  fi
  xwininfo -shape -id "$london" | grep -q 'Window shape extents' || fail "the digital clock is not cut to its bitmap"

  # One second later only the second hand has moved: a small part of the face.
  # A second more is allowed when the machine is so busy that the repaint
  # comes late (seen under a loaded parallel test run).
  import -window root -crop 200x200+40+40 +repage "$WORK/$mode-a.png"
  local changed try
  for try in 1 2 3; do
    sleep 1.1
    import -window root -crop 200x200+40+40 +repage "$WORK/$mode-b.png"
    changed=$(pixel_diff "$WORK/$mode-a.png" "$WORK/$mode-b.png")
    [ "$changed" -gt 20 ] && break
  done
  note "pixels changed in $try second(s): $changed"
  [ "$changed" -gt 20 ] || fail "the large clock did not move in three seconds ($changed pixels)"
  [ "$changed" -lt 6000 ] || fail "more than the second hand changed ($changed pixels)"

  # A drag with the left button moves the clock and is stored at once.
  xdotool mousemove 140 140 mousedown 1
  for step in 1 2 3 4 5; do xdotool mousemove $((140 + step * 20)) $((140 + step * 40)); sleep 0.05; done
  xdotool mouseup 1
  wait_until 5 '[ "$(stored "$AFILE" "Kathmandu, Nepal" formx)" = 140 ]' ||
    fail "the drag was not stored (formx $(stored "$AFILE" "Kathmandu, Nepal" formx))"
  [ "$(stored "$AFILE" "Kathmandu, Nepal" formy)" = 240 ] || fail "formy not stored"
  expect_geometry "$big" 140 240 200 200

  # Another theme from the large clock's menu: the last of "&Change Theme".
  xdotool mousemove 240 340 click 3
  wait_until 5 '[ -n "$(open_menus)" ]' || fail "no menu on the analog clock"
  xdotool key --delay 150 c Up Return
  wait_until 5 '[ "$(stored "$AFILE" "Kathmandu, Nepal" themefile)" = "$WORK/program/askins/Wooden.png" ]' ||
    fail "the theme was not stored ($(stored "$AFILE" "Kathmandu, Nepal" themefile))"

  # "&Hide Date" from the digital clock's menu, then a kill -9 at once.
  window_geometry "$tokyo"
  xdotool mousemove $((WIN_X + 70)) $((WIN_Y + 40)) click 3
  wait_until 5 '[ -n "$(open_menus)" ]' || fail "no menu on the digital clock"
  xdotool key h
  wait_until 5 '[ "$(stored "$DFILE" "Tokyo, Japan" hidedate)" = -1 ]' || fail "Hide Date was not stored"
  kill -9 "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=
  grep -q '</aclocks>' "$AFILE" || fail "aclocks.dat torn"

  start_app env TZ=Asia/Kathmandu
  wait_log "first map on screen"
  MAIN=$(main_window)
  big=$(wait_clock "Kathmandu, Nepal")
  tokyo=$(wait_clock "Tokyo, Japan")
  expect_geometry "$big" 140 240 200 200
  local full short
  full=$(xwininfo -shape -id "$(wait_clock "St. John's, Canada")" >/dev/null; xwininfo -shape -id "$(wait_clock "London, United Kingdom")" | awk '/Window shape extents/ {print $4}')
  short=$(xwininfo -shape -id "$tokyo" | awk '/Window shape extents/ {print $4}')
  [ -n "$short" ] && [ "$short" = "$full" ] || fail "Tokyo lost its hidden date ($short, London $full)"
  expect_geometry "$(wait_clock "Lima, Peru")" 470 40 100 100

  # Esc closes a set-up dialog; one left open does not keep the program
  # from ending.
  send_keys "$MAIN" alt+d Return
  wait_until 10 '[ -n "$(sized_window 727x362)" ]' || fail "no analog set-up dialog"
  send_keys "$(sized_window 727x362)" Escape
  wait_until 5 '[ -z "$(sized_window 727x362)" ]' || fail "Esc left the set-up dialog open"
  send_keys "$MAIN" alt+d d
  wait_until 10 '[ -n "$(sized_window 613x307)" ]' || fail "no digital set-up dialog"
  exit_app
  [ "$APP_RC" = 0 ] || fail "the program ended with $APP_RC"
  [ "$(stored "$AFILE" "Kathmandu, Nepal" formx)" = 140 ] || fail "the exit lost the place"
  [ "$(stored "$DFILE" "Tokyo, Japan" hidedate)" = -1 ] || fail "the exit lost Hide Date"
  [ "$(stored "$AFILE" "Lima, Peru" clockwidth)" = 100 ] || fail "the exit lost a size"
  [ "$(stored "$AFILE" "Kathmandu, Nepal" themefile)" = "$WORK/program/askins/Wooden.png" ] ||
    fail "the exit lost the theme"
  if [ -n "$comp" ]; then kill "$comp"; fi
}

# Offsets written with the regional decimal comma read as well as with a
# point; the next save writes the point.
locale_scenario() {
  note "--- a decimal comma"
  local d=$WORK/program/dskins
  { dclock "$d/Sky Blue.bmp" "Delhi, India" Delhi 0,229166666666667 40 40
    dclock "$d/Sky Blue.bmp" "Mumbai, India" Mumbai 0.229166666666667 260 40
  } | clock_list dclocks >"$DFILE"
  start_app env LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8
  wait_log "first map on screen"
  MAIN=$(main_window)
  [ -z "$(warnings)" ] || fail "a warning box for offsets with a decimal comma"
  wait_clock "Delhi, India" >/dev/null
  wait_clock "Mumbai, India" >/dev/null
  exit_app
  [ "$(stored "$DFILE" "Delhi, India" tzd)" = 0.229166666666667 ] || fail "Delhi's offset was not kept"
  [ "$(stored "$DFILE" "Mumbai, India" tzd)" = 0.229166666666667 ] || fail "Mumbai's offset was not kept"
}

# The compositor starts and stops while the clocks run: they switch between
# per-pixel alpha and a shape, each time in a window made anew.
compositor_scenario() {
  note "--- the compositor comes and goes"
  rm -rf "$DATA_FOLDER"
  write_clock_files
  start_app
  wait_log "first map on screen"
  MAIN=$(main_window)
  # The window is made anew on each change: for a moment there is none.
  depth() {
    local w
    w=$(clock_window "Kathmandu, Nepal")
    [ -n "$w" ] && xwininfo -id "$w" 2>/dev/null | awk '/Depth:/ {print $2}'
  }
  wait_clock "Kathmandu, Nepal" >/dev/null
  [ "$(depth)" = 24 ] || fail "per-pixel alpha without a compositor"
  xcompmgr >/dev/null 2>&1 &
  local comp=$!
  PIDS+=("$comp")
  wait_until 10 '[ "$(depth)" = 32 ]' || fail "no per-pixel alpha once the compositor runs"
  expect_geometry "$(clock_window "Kathmandu, Nepal")" 40 40 200 200
  kill "$comp"
  wait_until 10 '[ "$(depth)" = 24 ]' || fail "still per-pixel alpha after the compositor stopped"
  xwininfo -shape -id "$(clock_window "Kathmandu, Nepal")" | grep -q 'Window shape extents' ||
    fail "the face is not cut out again"
  [ -z "$(warnings)" ] || fail "a warning box on the way"
  exit_app
}

# A clock on a monitor that is gone at the next start comes back onto the
# one that is left, and keeps that place.
monitor_scenario() {
  note "--- a monitor unplugged"
  rm -rf "$DATA_FOLDER"
  local a=$WORK/program/askins
  mkdir -p "$DATA_FOLDER"
  aclock "$a/Classic.png" "Lima, Peru" Lima -0.208333333333333 1500 500 100 | clock_list aclocks >"$AFILE"
  # The left half of the screen is all that is left.
  xrandr --setmonitor left 960/254x1080/286+0+0 screen >/dev/null
  start_app
  wait_log "first map on screen"
  MAIN=$(main_window)
  expect_geometry "$(wait_clock "Lima, Peru")" 860 500 100 100
  wait_until 5 '[ "$(stored "$AFILE" "Lima, Peru" formx)" = 860 ]' || fail "the new place was not stored"
  exit_app
  xrandr --delmonitor left >/dev/null
}

run_scenario shaped
run_scenario composited
compositor_scenario
monitor_scenario
locale_scenario
echo "clocks: ok"
