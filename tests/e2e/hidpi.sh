#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# On a 2x screen the map is drawn at the screen's own pixels: its caption,
# labels and coastlines are as sharp as the rest of the window, not a 1x
# picture blown up. Neighbouring pixels of this instant's map differ by 2.8
# levels on the average when drawn at device pixels, by 1.8 when blown up.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder
libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
[ -n "$libfaketime" ] || fail "libfaketime not found"
write_settings '"Window Size"=dword:00000001'
# One instant, so that the picture and its measure are always the same.
start_app QT_SCALE_FACTOR=2 TZ=UTC LD_PRELOAD="$libfaketime" FAKETIME='2026-12-09 16:06:03' \
  FAKETIME_DONT_FAKE_MONOTONIC=1
wait_log "first map on screen"
win=$(main_window)
window_geometry "$win"
[ "$WIN_W" = 960 ] || fail "a 480-pixel map on a 2x screen is $WIN_W device pixels wide, not 960"
sleep 0.5
shot_map "$win" "$WORK/map.png"
# Mean difference of horizontally neighbouring pixels, in tenths of a level.
edges=$(convert "$WORK/map.png" -colorspace gray \( +clone -roll +1+0 \) -compose difference -composite \
  -format '%[fx:int(mean*2550)]' info:)
note "neighbouring pixels differ by $edges tenths of a level on the average"
[ "$edges" -ge 23 ] || fail "the map on a 2x screen is a blown-up 1x picture ($edges)"
kill -TERM "$APP_PID"
wait_exit 10
echo "hidpi: ok"
