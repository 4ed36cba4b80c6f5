#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The screen saver: it draws the map into the window it is given (by option
# or by XSCREENSAVER_WINDOW) and follows its size, and ends with a message
# when that window does not exist; the program registers it in
# ~/.xscreensaver and back, previews it in a window that a click closes, and
# warns when it is missing.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder
TOOL="$BUILD_DIR/tests/platform/wallpaper-tool"
SAVER="$WORK/program/tavrel-world-clock-saver"
cp "$BUILD_DIR/tavrel-world-clock-saver" "$SAVER"
export TZ=Asia/Kathmandu
write_settings '"Display Cities"=hex(7):4c,00,6f,00,6e,00,64,00,6f,00,6e,00,00,00,00,00'

# A window of another program, which the saver is to draw into; its id in WID.
given_window() {
  rm -f "$WORK/window.txt"
  "$TOOL" window "$1" "$2" >"$WORK/window.txt" &
  PIDS+=($!)
  wait_until 5 '[ -s "$WORK/window.txt" ]' || fail "no window to give"
  WID=$(head -n1 "$WORK/window.txt")
}
# The map in the window: black bands above and below a lit map.
draws_map() {  # draws_map WINDOW WIDTH HEIGHT
  local band=$((($3 - $2 / 2) / 2))
  import -window "$1" "$WORK/saver.png" 2>/dev/null || return 1
  [ "$(identify -format '%wx%h' "$WORK/saver.png")" = "$2x$3" ] || return 1
  convert "$WORK/saver.png" -crop "$2x$((band - 2))+0+0" +repage "$WORK/band.png"
  convert "$WORK/saver.png" -crop "$2x$(($2 / 2))+0+$band" +repage "$WORK/map.png"
  [ "$(lit_percent "$WORK/band.png")" = 0 ] && [ "$(lit_percent "$WORK/map.png")" -ge 30 ]
}

given_window 640 480
wid=$WID
"$SAVER" -window-id "$wid" >"$WORK/saver1.log" 2>&1 &
PIDS+=($!)
wait_until 10 "draws_map $wid 640 480" || fail "the saver drew no map into window $wid"
cp "$WORK/saver.png" "$WORK/saver-640.png"
# The window grows: the picture follows.
xdotool windowsize "$wid" 800 600
wait_until 10 "draws_map $wid 800 600" || fail "the saver did not follow the window's size"
note "drew into window $wid at 640x480 and 800x600"

# A window that does not exist, given either way: a message naming it and a
# malformed id's status at once, not a saver drawing nowhere.
for how in option variable; do
  rc=0
  if [ $how = option ]; then
    timeout 10 "$SAVER" -window-id 0x7777777 >"$WORK/saver-none.log" 2>&1 || rc=$?
  else
    XSCREENSAVER_WINDOW=0x7777777 timeout 10 "$SAVER" -root >"$WORK/saver-none.log" 2>&1 || rc=$?
  fi
  [ "$rc" = 2 ] || fail "by $how, the saver did not end at once as for a malformed id ($rc)"
  grep -q 'no such window: 0x7777777' "$WORK/saver-none.log" || fail "by $how, no message naming the missing window"
done

given_window 400 300
wid2=$WID
XSCREENSAVER_WINDOW=$wid2 "$SAVER" -root >"$WORK/saver2.log" 2>&1 &
PIDS+=($!)
wait_until 10 "draws_map $wid2 400 300" || fail "the saver drew nothing into XSCREENSAVER_WINDOW"
kill "${PIDS[-1]}"

start_app
wait_log "first map on screen"
win=$(main_window)
screensaver_menu() { send_keys "$1" alt+s "${@:2}"; }

# "Set World Clock as ScreenSaver": registered, then unregistered.
screensaver_menu "$win" Return
wait_until 5 "grep -qF \"$SAVER\" \"$HOME/.xscreensaver\"" || fail "not registered in ~/.xscreensaver"
[ "$(setting_line SetScreenSave)" = '"SetScreenSave"=dword:00000001' ] || fail "SetScreenSave not stored"
screensaver_menu "$win" Return
wait_until 5 "! grep -qF tavrel-world-clock-saver \"$HOME/.xscreensaver\"" || fail "not unregistered"
[ "$(setting_line SetScreenSave)" = '"SetScreenSave"=dword:00000000' ] || fail "SetScreenSave not cleared"

# "Preview ScreenSaver": the map full screen; a click ends it.
screensaver_menu "$win" Down Return
preview_window() { xdotool search --onlyvisible --classname '^tavrel-world-clock-saver$' 2>/dev/null | head -n1; }
wait_until 10 '[ -n "$(preview_window)" ]' || fail "no preview window"
pw=$(preview_window)
wait_until 10 "draws_map $pw 1920 1080" || fail "the preview shows no map"
xdotool mousemove 900 500 click 1
wait_until 5 '[ -z "$(preview_window)" ]' || fail "a click did not end the preview"
pgrep -f "$SAVER\$" >/dev/null && fail "the preview's saver still runs"

# The module gone: the warning, and nothing started.
rm "$SAVER"
screensaver_menu "$win" Down Return
wait_until 5 '[ -n "$(xdotool search --onlyvisible --name "^Warning$" 2>/dev/null)" ]' || fail "no warning"
box=$(xdotool search --onlyvisible --name '^Warning$' | head -n1)
import -window "$box" "$WORK/warning.png"
send_keys "$box" Return
sleep 0.5
[ -z "$(preview_window)" ] || fail "a missing module started something"
echo "saver: ok"
