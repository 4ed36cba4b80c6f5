#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The README's first command, as a new user runs it: scripts/run builds the
# optimised program in its own folder and starts it, and the main window
# shows the map. Then the program is closed from its menu.
source "$(dirname "$0")/lib.sh"
SOURCE_DIR=${SOURCE_DIR:?SOURCE_DIR must name the source folder}
start_desktop
fresh_home

APP_LOG="$WORK/app-run.log"
TAVREL_REPORT_STARTUP=1 "$SOURCE_DIR/scripts/run" >"$APP_LOG" 2>&1 &
APP_PID=$!

# The clock themes ship with the program: a fresh start shows no warning box
# of any kind ("Warning", "Warning !", "Warning!").
warnings() { xdotool search --onlyvisible --name '^Warning' 2>/dev/null || true; }
for _ in $(seq 6000); do
  grep -qF "first map on screen" "$APP_LOG" && break
  kill -0 "$APP_PID" 2>/dev/null || fail "scripts/run ended before the map was shown"
  [ -z "$(warnings)" ] || fail "a warning box on a start of the built program"
  sleep 0.1
done
[ -z "$(warnings)" ] || fail "a warning box on a start of the built program"
grep -qF "first map on screen" "$APP_LOG" || fail "no map within ten minutes of scripts/run"
win=$(main_window)
shot_map "$win" "$WORK/map.png" 40
lit=$(lit_percent "$WORK/map.png")
note "lit share of the map: $lit %"
[ "$lit" -ge 30 ] || fail "the map looks empty ($lit % lit)"

send_keys "$win" alt+f Down Return  # File > Exit World Clock
wait_exit 15
[ "$APP_RC" = 0 ] || fail "the program ended with $APP_RC"
echo "readme run: ok"
