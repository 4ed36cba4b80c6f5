#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Reminders end to end, in Kathmandu (UTC+5:45) with a reminder for Sydney
# (UTC+11 in December, daylight saving): a first start seeds reminders.dat;
# a reminder typed into the editor for Sydney's next minute is on disk at once
# (the program is then killed with SIGKILL); the next run pops it up within
# ten seconds of that minute with its heading and message, plays its chime
# (recorded from a PulseAudio null sink) and marks it shown on disk.
source "$(dirname "$0")/lib.sh"
start_desktop
fresh_home
make_program_folder

note "a sound server of the test's own: PulseAudio with a null sink, in the private runtime folder"
# As root it warns but runs; HOME and XDG_RUNTIME_DIR keep it away from any other server.
pulseaudio --start --exit-idle-time=-1 -n --log-target=file:"$WORK/pulse.log" \
  --load="module-null-sink sink_name=wcnull" --load="module-native-protocol-unix" ||
  fail "pulseaudio did not start: $(cat "$WORK/pulse.log" 2>/dev/null)"
wait_until 10 '[ -s "$XDG_RUNTIME_DIR/pulse/pid" ]' || fail "no pulseaudio pid"
PIDS+=("$(cat "$XDG_RUNTIME_DIR/pulse/pid")")
pactl set-default-sink wcnull

libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)
[ -n "$libfaketime" ] || fail "libfaketime not found"
clock_file="$WORK/faketime"
# The fake clock runs at real speed from 09 December 2026 01:57:40 UTC
# (07:42 in Kathmandu, 12:57 in Sydney: the same date in both).
OFFSET=$(($(date -u -d '2026-12-09 01:57:40' +%s) - $(date +%s)))
if [ "$OFFSET" -ge 0 ]; then echo "+$OFFSET" >"$clock_file"; else echo "$OFFSET" >"$clock_file"; fi
fake_now() { echo $(($(date +%s) + OFFSET)); }
APP_ENV=(LD_PRELOAD="$libfaketime" FAKETIME_TIMESTAMP_FILE="$clock_file" FAKETIME_NO_CACHE=1
  FAKETIME_DONT_FAKE_MONOTONIC=1 TZ=Asia/Kathmandu)

REMINDERS="$DATA_FOLDER/reminders.dat"
start_app "${APP_ENV[@]}"
wait_log "first map on screen"
win=$(main_window)
cmp -s "$REMINDERS" "$WORK/program/reminders.dat" || fail "reminders.dat not seeded on the first start"

# The editor: a visible window of the program's, 551 x 369.
editor_window() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^tavrel-world-clock$' 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 551x369' && echo "$w"
  done
}
send_keys "$win" alt+t m  # Tools > Manage Reminders
wait_until 10 '[ -n "$(editor_window)" ]' || fail "no reminder editor"
dlg=$(editor_window | head -n1)
window_geometry "$dlg"
DX=$WIN_X DY=$WIN_Y
click_at() { xdotool mousemove $((DX + $1)) $((DY + $2)) click 1; sleep 0.3; }

note "the second tab: Sydney, a message with &, <, quotes and a line break, and a chime"
send_keys "$dlg" ctrl+Tab
click_at 330 165  # the filter box above the city list: typing picks the best match
xdotool type --delay 30 'Sydney'

# Sydney's next minute, at least 50 s away so that the restart below fits.
target=$(( ($(fake_now) + 110) / 60 * 60 ))
when=$(TZ=Australia/Sydney date -d "@$target" '+%I:%M %p')
day=$(TZ=Australia/Sydney date -d "@$target" '+%d.%m.%Y')
[ "$day" = "$(TZ=Asia/Kathmandu date -d "@$(fake_now)" '+%d.%m.%Y')" ] || fail "Sydney and Kathmandu dates differ"
note "reminder for $when on $day in Sydney (UTC $(date -u -d "@$target" +%H:%M:%S))"
# From here on the keyboard moves the focus: it goes where it is sent however
# late the program reads it, where a click can come before its window listens.
xdotool key shift+Tab  # the time picker: its hour, selected, typed over
xdotool key Home shift+Right shift+Right
xdotool type --delay 120 "${when:0:2}${when:3:2}"
xdotool key End shift+Left shift+Left  # the AM/PM marker
xdotool type --delay 120 "${when:6:2}"
xdotool key Tab Tab Tab  # past the filter and the city to the message
xdotool type --delay 30 'Call R&D <now>'
xdotool key Return
xdotool type --delay 30 "\"quoted\" 'too'"
xdotool key alt+b
open_dialog() { xdotool search --onlyvisible --name '^Open$' 2>/dev/null | head -n1; }
wait_until 30 '[ -n "$(open_dialog)" ]' || fail "Browse opened no file dialog"
wait_until 10 '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$(open_dialog)" ]' || fail "the file dialog has no focus"
xdotool type --delay 30 'bright-bell.wav'
xdotool key Return
wait_until 30 '[ -z "$(open_dialog)" ]' || fail "the file dialog stays"
send_keys "$dlg" alt+s  # Set Reminder

note "on disk at once: SIGKILL right after adding loses nothing"
wait_until 10 'grep -q Sydney "$REMINDERS"' || fail "the new reminder is not on disk"
kill -KILL "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
APP_PID=
sound=$(sed -n 's:^<remplay>\(.*\)</remplay>\r$:\1:p' "$REMINDERS")
case "$sound" in */sounds/bright-bell.wav) [ -f "$sound" ] || fail "the sound $sound is missing" ;; *) fail "sound '$sound'" ;; esac
expected() {  # expected SHOWN
  printf '\xEF\xBB\xBF<?xml version="1.0" encoding="UTF-8" ?>\r\n<reminders>\r\n<reminder>\r\n'
  printf '<remdate>%s</remdate>\r\n<remtime>%s</remtime>\r\n' "$day" "$when"
  printf '<remcity>Sydney, Australia</remcity>\r\n'
  printf '<remmsg>Call R&amp;D &lt;now>\r\n"quoted" '"'"'too'"'"'</remmsg>\r\n'
  printf '<remplay>%s</remplay>\r\n<remshow>%s</remshow>\r\n</reminder>\r\n</reminders>\r\n' "$sound" "$1"
}
expected 0 >"$WORK/expected0.dat"
cmp "$REMINDERS" "$WORK/expected0.dat" || { xxd "$REMINDERS" | tail -n 8; fail "reminders.dat differs from what was typed"; }

note "restart: the reminder is read back and fires within ten seconds of its minute"
start_app "${APP_ENV[@]}"
wait_log "first map on screen"
(($(fake_now) < target - 5)) || fail "the restart took too long: the minute is already near"
parecord --device=wcnull.monitor --file-format=wav --channels=1 --rate=22050 "$WORK/heard.wav" &
rec_pid=$!
PIDS+=("$rec_pid")
popup_window() { xdotool search --onlyvisible --name '^Reminder$' 2>/dev/null | head -n1; }
wait_until $((target - $(fake_now) + 20)) '[ -n "$(popup_window)" ]' || fail "no pop-up"
shown_at=$(fake_now)
popup=$(popup_window)
late=$((shown_at - target))
note "pop-up $late s after the minute began"
((late >= 0 && late <= 11)) || fail "the pop-up came $late s after the minute began"
window_geometry "$popup"
[ "${WIN_W}x${WIN_H}" = 468x169 ] || fail "pop-up of ${WIN_W}x${WIN_H}"
wait_until 5 'grep -q "<remshow>1</remshow>" "$REMINDERS"' || fail "the firing is not on disk"

# The heading and the message, read off the screen.
sleep 0.5
import -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$WORK/popup.png"
convert "$WORK/popup.png" -scale 300% -colorspace Gray "$WORK/popup-ocr.png"
tesseract "$WORK/popup-ocr.png" - 2>/dev/null | tr -s ' \n' ' ' >"$WORK/popup.txt"
note "read: $(cat "$WORK/popup.txt")"
grep -qF "It is now $when in Sydney, Australia" "$WORK/popup.txt" || fail "heading not on the pop-up"
grep -qF "Call R&D" "$WORK/popup.txt" || fail "message not on the pop-up"
grep -qF "quoted" "$WORK/popup.txt" || fail "second message line not on the pop-up"

note "the chime was heard"
sleep 4
kill -INT "$rec_pid"
wait "$rec_pid" 2>/dev/null || true
sox "$WORK/heard.wav" "$WORK/heard-trim.wav" silence 1 0.01 1% reverse silence 1 0.01 1% reverse
peak=$(sox "$WORK/heard-trim.wav" -n stat 2>&1 | awk '/^Maximum amplitude/ {print $3}')
length=$(sox --i -D "$WORK/heard-trim.wav")
# The strongest 20 Hz band of the spectrum: the bell's strike note is 880 Hz.
strongest=$(sox "$WORK/heard-trim.wav" -n stat -freq 2>&1 |
  awk 'NF == 2 && $1 + 0 > 100 {p[int($1 / 20) * 20] += $2} END {for (f in p) if (p[f] > m) {m = p[f]; b = f} print b}')
note "recording: peak $peak, sound for $length s, strongest band from $strongest Hz"
awk -v p="$peak" -v l="$length" -v f="$strongest" 'BEGIN { exit !(p > 0.2 && l > 1.5 && l < 4 && f >= 860 && f < 900) }' ||
  fail "the recording does not hold the chime"

note "Escape closes the pop-up; at exit the list keeps the reminder, shown"
send_keys "$popup" Escape
wait_until 5 '[ -z "$(popup_window)" ]' || fail "the pop-up stays after Escape"
kill -TERM "$APP_PID"
wait_exit 10
expected 1 >"$WORK/expected1.dat"
cmp "$REMINDERS" "$WORK/expected1.dat" || fail "reminders.dat at exit differs"
echo "reminders: ok"
