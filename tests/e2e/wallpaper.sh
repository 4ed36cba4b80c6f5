#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The map as the wallpaper of a desktop without a desktop program (the root
# window): shown at the screen's width, refreshed on request, and the user's
# own picture back after switching off, after a kill and a new start, and
# after closing with "Remove Wallpaper on Exit".
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder
TOOL="$BUILD_DIR/tests/platform/wallpaper-tool"
export TZ=America/St_Johns

# The user's picture, put there by another program.
convert -size 1920x1080 xc:'#c82a5a' -fill '#0a78fa' -draw 'rectangle 100,100 700,400' "$WORK/users.png"
"$TOOL" set "$WORK/users.png" || fail "could not set the user's picture"

root_pixmap() { xprop -root _XROOTPMAP_ID 2>/dev/null | awk '/#/ {print $NF}'; }
own_pixmap() { xprop -root _TAVREL_WORLD_CLOCK_PMAP 2>/dev/null | awk '/#/ {print $NF}'; }
shows_map() { [ -n "$(own_pixmap)" ] && [ "$(root_pixmap)" = "$(own_pixmap)" ]; }
# The root window's picture where no window covers it: the left strip.
root_strip() { import -window root -crop 500x900+0+90 +repage "$1"; }
shows_users_picture() {
  root_strip "$WORK/strip.png"
  convert "$WORK/users.png" -crop 500x900+0+90 +repage "$WORK/users-strip.png"
  [ "$(pixel_diff "$WORK/strip.png" "$WORK/users-strip.png")" = 0 ]
}
wallpaper_menu() { send_keys "$1" alt+w "${@:2}"; }  # the "&Wallpaper" menu, then its keys
# "WIDTH x HEIGHT x BITS" from a bitmap's header.
bmp_format() {
  [ "$(head -c2 "$1" 2>/dev/null)" = BM ] || { echo "no bitmap"; return 0; }
  local size
  size=$(od -An -t d4 -j18 -N8 "$1")
  # shellcheck disable=SC2086
  printf '%s x %s x %s\n' $size $(($(od -An -t u2 -j28 -N2 "$1")))
}

write_settings '"Desktop Wallpaper"=dword:00000001'
start_app
wait_log "first map on screen"
win=$(main_window)
wait_until 10 shows_map || fail "the map did not become the wallpaper"
bmp="$XDG_RUNTIME_DIR/wcwallpaper.bmp"
[ "$(bmp_format "$bmp")" = "1920 x 960 x 24" ] || fail "not a 24-bit bitmap of 1920 x 960: $(bmp_format "$bmp")"
# The bitmap centred on the screen, black above and below it.
root_strip "$WORK/strip.png"
convert "BMP:$bmp" -crop 500x900+0+30 +repage "$WORK/bmp-strip.png"
[ "$(pixel_diff "$WORK/strip.png" "$WORK/bmp-strip.png")" = 0 ] || fail "the root window does not show the bitmap"
import -window root -crop 1400x60+0+0 +repage "$WORK/band.png"  # the tray host sits right
[ "$(lit_percent "$WORK/band.png")" = 0 ] || fail "the band above the picture is not black"
[ "$(setting_line OldWall)" = "\"OldWall\"=\"$XDG_RUNTIME_DIR/previous-desktop.png\"" ] ||
  fail "user's picture not remembered: $(setting_line OldWall)"
note "refreshed: $(root_pixmap)"

# A second refresh: "Stretch Wallpaper to full height".
first=$(root_pixmap)
wallpaper_menu "$win" Down Return
wait_until 5 '[ "$(root_pixmap)" != "$first" ] && shows_map' || fail "no second refresh"
[ "$(bmp_format "$bmp")" = "1920 x 1080 x 24" ] || fail "stretched bitmap: $(bmp_format "$bmp")"
[ "$(setting_line 'Desktop Full Height')" = '"Desktop Full Height"=dword:00000001' ] || fail "full height not stored"

# Switched off: the user's picture, not a blank desktop.
wallpaper_menu "$win" Return
wait_until 5 '! shows_map' || fail "the map stayed the wallpaper"
shows_users_picture || fail "the user's picture did not come back"
[ ! -e "$bmp" ] || fail "the bitmap was left behind"
note "switched off: the user's picture is back"

# On again, killed, started anew (the map still on the desktop), off.
wallpaper_menu "$win" Return
wait_until 10 shows_map || fail "the map did not come back"
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
APP_PID=
shows_map || fail "the killed program's picture went with it"
before=$(root_pixmap)
start_app
wait_log "first map on screen"
win=$(main_window)
wait_until 10 '[ "$(root_pixmap)" != "$before" ] && shows_map' || fail "no refresh after the new start"
wallpaper_menu "$win" Return
wait_until 5 '! shows_map' || fail "the map stayed the wallpaper after a restart"
shows_users_picture || fail "after a kill and a new start the user's picture did not come back"
note "after kill -9: the user's picture is back"

# On, then closed with "Remove Wallpaper on Exit" (on by default).
wallpaper_menu "$win" Return
wait_until 10 shows_map || fail "the map did not come back"
send_keys "$win" alt+f Down Return  # File > Exit World Clock
wait_exit 10
shows_users_picture || fail "closing did not put the user's picture back"
echo "wallpaper: ok"
