#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Global hot keys act while another program's window has the keyboard focus:
# the main-window key sends the window to the tray and back, the calendar,
# dial codes, time finder and city list keys open their window and close it
# again, and a key of no row does nothing.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder
# Ctrl+Alt+W, Ctrl+Shift+C, Ctrl+Alt+D, Ctrl+Alt+F, Ctrl+Alt+L.
write_settings '"Hot Key 1"=dword:0000c057' '"Hot Key 2"=dword:00006043' '"Hot Key 3"=dword:0000c044' \
  '"Hot Key 4"=dword:0000c046' '"Hot Key 5"=dword:0000c04c'

start_app
wait_log "first map on screen"
main_window >/dev/null

# Another program, holding the focus.
xmessage -name otherapp -geometry 300x80+40+600 "another program" &
PIDS+=($!)
other=$(xdotool search --sync --onlyvisible --name '^otherapp$' | head -n1)
focus_other() { xdotool windowfocus --sync "$other"; }

note "the main-window key minimises to the tray and restores, focus elsewhere"
focus_other
xdotool key ctrl+alt+w
wait_until 5 '[ "$(visible_main_windows)" = 0 ]' || fail "the hot key did not minimise the window"
wait_until 5 '[ "$(tray_icon_count)" = 1 ]' || fail "no tray icon after the hot key"
focus_other
xdotool key ctrl+alt+w
wait_until 5 '[ "$(visible_main_windows)" = 1 ]' || fail "the hot key did not restore the window"

note "the calendar, dial codes and time finder keys open their window, and close it when open"
for pair in ctrl+shift+c:TWCCalendar ctrl+alt+d:TWCDialCodes ctrl+alt+f:TTimeFinder; do
  key=${pair%%:*} role=${pair#*:}
  focus_other
  xdotool key "$key"
  wait_until 5 '[ "$(tool_windows "$role" | grep -c .)" = 1 ]' || fail "$key opened no $role"
  focus_other
  xdotool key "$key"
  wait_until 5 '[ "$(tool_windows "$role" | grep -c .)" = 0 ]' || fail "$key did not close $role"
done
[ -n "$(setting_line "Finder Window Position")" ] || fail "the finder's closing stored no placement"
[ "$(setting_line "Search Type")" = '"Search Type"=dword:00000000' ] || fail "the finder's closing stored no search type"

note "the city list key shows the list of all cities, and hides it when pressed again"
lists() { xdotool search --onlyvisible --name '^List of all cities with current time$' 2>/dev/null | grep -c . || true; }
focus_other
xdotool key ctrl+alt+l
wait_until 5 '[ "$(lists)" = 1 ]' || fail "ctrl+alt+l showed no city list"
focus_other
xdotool key ctrl+alt+l
wait_until 5 '[ "$(lists)" = 0 ]' || fail "ctrl+alt+l did not hide the city list"

note "a combination of no row does nothing"
notes() { xdotool search --onlyvisible --name '^Information$' 2>/dev/null | grep -c . || true; }
focus_other
xdotool key ctrl+alt+q
sleep 0.5
[ "$(notes)" = 0 ] || fail "ctrl+alt+q did something"
[ "$(visible_main_windows)" = 1 ] || fail "ctrl+alt+q changed the main window"
note "a combination another program holds leaves nothing behind in the field"
"$E2E_DIR/grab-key.py" x 5 60 >"$WORK/grab.log" &  # Ctrl+Shift+X
PIDS+=($!)
wait_until 5 'grep -q grabbed "$WORK/grab.log"' || fail "the other program could not grab its key"
send_keys "$(main_window)" alt+t o
dialog=
find_dialog() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^tavrel-world-clock$' 2>/dev/null); do
    [ "$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: //p')" = 452x403 ] && dialog=$w
  done
  [ -n "$dialog" ]
}
wait_until 10 find_dialog || fail "no options dialog"
# The Hotkeys tab, and a click into the calendar window's field.
xdotool key --delay 100 ctrl+Tab ctrl+Tab
window_geometry "$dialog"
xdotool mousemove $((WIN_X + 235)) $((WIN_Y + 217)) click 1
sleep 0.5
import -window "$dialog" "$WORK/field-before.png"
xdotool key --delay 100 ctrl+shift+x
sleep 1
import -window "$dialog" "$WORK/field-after.png"

[ "$(pixel_diff "$WORK/field-before.png" "$WORK/field-after.png")" = 0 ] ||
  fail "the field kept what was pressed for a combination another program holds"
xdotool key Escape
echo "hotkeys: ok"
