# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Minimise to the tray and back, leaving other windows their clicks;
# close-to-tray against "E&xit World Clock"; SIGTERM takes the close path
# even in close-to-tray mode.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder

note "minimise to the tray from the File menu, restore with a click on the tray icon"
start_app
wait_log "first map on screen"
win=$(main_window)
window_geometry "$win"
send_keys "$win" alt+f Return  # File > Minimize to system tray
wait_until 5 '[ "$(visible_main_windows)" = 0 ]' || fail "window still visible after minimising"
note "a click reaches another program's window where the main window was: no grab is left behind"
xev -name otherapp -geometry "200x120+$((WIN_X + 100))+$((WIN_Y + 100))" -event button >"$WORK/xev.log" 2>&1 &
PIDS+=($!)
xdotool search --sync --onlyvisible --name '^otherapp$' >/dev/null
xdotool mousemove $((WIN_X + 200)) $((WIN_Y + 160)) click 1
wait_until 5 'grep -q ButtonPress "$WORK/xev.log"' || fail "the click went nowhere after minimising to the tray"
kill "${PIDS[-1]}"
# The tray icon is in the tray host now.
wait_until 5 '[ "$(tray_icon_count)" = 1 ]' || fail "no tray icon"
[ "$(tray_icon_count)" = 1 ] || fail "not one tray icon while in the tray"
click_tray_icon 1
wait_until 5 '[ "$(visible_main_windows)" = 1 ]' || fail "window not restored"
win=$(main_window)
wait_until 5 '[ "$(tray_icon_count)" = 0 ]' || fail "tray icon still shown"
shot_map "$win" "$WORK/restored.png" 40
[ "$(lit_percent "$WORK/restored.png")" -ge 30 ] || fail "no map after restoring"

note "with close-to-tray off the close box ends the program and writes the settings"
"$E2E_DIR/wm-close.py" "$win"
wait_exit 10
[ -n "$(setting_line 'Window Position')" ] || fail "no Window Position stored"
[ -n "$(setting_line 'Theme')" ] || fail "no Theme stored"

note "with close-to-tray on the close box sends it to the tray"
write_settings '"Close to tray"=dword:00000001'
start_app
wait_log "first map on screen"
win=$(main_window)
"$E2E_DIR/wm-close.py" "$win"
wait_until 5 '[ "$(visible_main_windows)" = 0 ]' || fail "close box did not hide the window"
kill -0 "$APP_PID" || fail "close box ended the program in close-to-tray mode"
note "the tray's pop-up menu ends it with E&xit"
click_tray_icon 3
wait_until 5 '[ -n "$(open_menus)" ]' || fail "no pop-up menu on the tray icon's right-click"
xdotool key Up Return  # the last entry, "E&xit"
wait_exit 10
[ "$(setting_line 'Close to tray')" = '"Close to tray"=dword:00000001' ] || fail "Exit changed the stored close-to-tray"

note "File > E&xit World Clock ends it from the window in close-to-tray mode"
start_app
wait_log "first map on screen"
win=$(main_window)
send_keys "$win" alt+f Down Return
wait_exit 10

note "SIGTERM (log-off) takes the close path in close-to-tray mode"
write_settings '"Close to tray"=dword:00000001'
start_app
wait_log "first map on screen"
kill -TERM "$APP_PID"
wait_exit 10
[ "$APP_RC" = 0 ] || fail "exit status $APP_RC after SIGTERM"
[ -n "$(setting_line 'Window Position')" ] || fail "SIGTERM did not write the settings"
note "stored Minimized=1: the window shows, then about a second later goes to the tray"
write_settings '"Minimized"=dword:00000001'
start_app
wait_until 10 '[ "$(visible_main_windows)" = 1 ]' || fail "started minimised, the window was never shown"
shown=$(date +%s%N)
wait_until 10 '[ "$(tray_icon_count)" = 1 ]' || fail "did not go to the tray"
seen_ms=$((($(date +%s%N) - shown) / 1000000))
note "shown for $seen_ms ms"
[ "$seen_ms" -ge 500 ] || fail "gone to the tray after $seen_ms ms, before the user could see it"
[ "$(visible_main_windows)" = 0 ] || fail "window still visible in the tray"
grep -q "first map" "$APP_LOG" && fail "a map was drawn while in the tray"
note "restoring brings the first map at once"
click_tray_icon 1
wait_log "first map on screen" 5
[ "$(visible_main_windows)" = 1 ] || fail "not restored"
send_keys "$(main_window)" alt+f Down Return
wait_exit 10
[ "$(setting_line 'Minimized')" = '"Minimized"=dword:00000001' ] || fail "Minimized not kept"
echo "tray: ok"
