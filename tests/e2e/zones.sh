#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# One instant, three zones of the computer: UTC, UTC+5:45 and UTC-3:30. With
# the caption in UTC, the map (shading, sun, caption, city times) and the
# hover hint over a city must be the same pixels in every zone; an offset
# applied with the wrong sign moves them by twice the zone's offset.
source "$(dirname "$0")/lib.sh"
start_desktop
make_program_folder

libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
[ -n "$libfaketime" ] || fail "libfaketime not found"
instant='2026-12-09 16:06:03 UTC'

for zone in UTC Asia/Kathmandu America/St_Johns; do
  tag=${zone//\//-}
  note "$zone"
  fresh_home
  write_settings '"Show UTC"=dword:00000001' '"Show Date"=dword:00000001' \
    "$(multi_sz 'Display Cities' 'London, United Kingdom' 'Tokyo, Japan' 'New York, United States' \
      'Sydney, Australia' 'Kathmandu, Nepal' 'Honolulu, United States' 'Santiago, Chile')"
  # The computer's clock stands still at the instant, written in the zone's
  # own local time as the clock library reads it.
  local_time=$(TZ=$zone date -d "$instant" '+%Y-%m-%d %H:%M:%S')
  start_app TZ="$zone" LD_PRELOAD="$libfaketime" FAKETIME="$local_time" FAKETIME_DONT_FAKE_MONOTONIC=1
  wait_log "first map on screen"
  win=$(main_window)
  sleep 0.5
  shot_map "$win" "$WORK/map-$tag.png"
  lit=$(lit_percent "$WORK/map-$tag.png")
  [ "$lit" -ge 30 ] || fail "the map looks empty under $zone ($lit % lit)"

  point_at "$win" 51 0  # London
  wait_until 5 '[ -n "$(open_menus)" ]' || fail "no hint over London under $zone"
  sleep 0.5
  tip=$(open_menus | head -n1)
  import -window "$tip" "$WORK/hint-$tag.png"
  xdotool mousemove 5 1000
  kill -TERM "$APP_PID"
  wait_exit 10
done

for tag in Asia-Kathmandu America-St_Johns; do
  diff=$(pixel_diff "$WORK/map-UTC.png" "$WORK/map-$tag.png")
  [ "$diff" = 0 ] || fail "the map under $tag differs from UTC's in $diff pixels"
  [ "$(identify -format '%wx%h' "$WORK/hint-UTC.png")" = "$(identify -format '%wx%h' "$WORK/hint-$tag.png")" ] ||
    fail "the hint under $tag has another size than UTC's"
  diff=$(pixel_diff "$WORK/hint-UTC.png" "$WORK/hint-$tag.png")
  [ "$diff" = 0 ] || fail "the hint under $tag differs from UTC's in $diff pixels"
done
echo "zones: ok"
