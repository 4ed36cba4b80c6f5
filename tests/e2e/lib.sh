# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared steps of the end-to-end scenarios: a private X server with a tray
# host, a private home, a program folder laid out like an installation, and
# ways to wait for what the program shows.
set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=xvfb.sh
source "$E2E_DIR/xvfb.sh"
BUILD_DIR=${BUILD_DIR:?BUILD_DIR must name the build folder}
WORK=$(mktemp -d /tmp/wc-e2e.XXXXXX)
PIDS=()
APP_PID=

cleanup() {
  local rc=$?
  if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; fi
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null || true; done
  # Give them a moment to go; nothing here may hang the suite.
  for _ in $(seq 30); do
    local alive=0
    for p in $APP_PID "${PIDS[@]}"; do kill -0 "$p" 2>/dev/null && alive=1; done
    [ $alive = 0 ] && break
    sleep 0.1
  done
  if [ $rc -ne 0 ] && [ -d "$WORK" ]; then
    echo "--- program output:"; cat "$WORK"/app*.log 2>/dev/null || true
    echo "--- work folder kept: $WORK"
  else
    rm -rf "$WORK"
  fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  # What the screen showed, for the one who reads the failure.
  [ -n "${DISPLAY:-}" ] && import -window root "$WORK/failure.png" 2>/dev/null && echo "screen: $WORK/failure.png" >&2
  exit 1
}
note() { echo "# $*"; }

# A private X server and the tray host.
start_desktop() {
  start_xvfb "$WORK" || fail "no X server"
  PIDS+=("$XVFB_PID")
  trayer --edge top --align right --widthtype pixel --width 120 --height 28 --transparent false \
    >/dev/null 2>&1 &
  PIDS+=($!)
  TRAYER_WIN=$(xdotool search --sync --onlyvisible --class trayer | head -n1)
}

# A home of its own: settings, data and the runtime folder.
fresh_home() {
  export HOME="$WORK/home"
  export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_RUNTIME_DIR="$WORK/run"
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  DATA_FOLDER="$XDG_DATA_HOME/TavrelWorldClock"
  SETTINGS_FILE="$XDG_CONFIG_HOME/TavrelWorldClock/settings.reg"
}

# The program and what ships beside it, in a folder of the test's own (the
# executable's folder is the program folder).
PROGRAM="$WORK/program/tavrel-world-clock"
make_program_folder() {
  local p="$WORK/program"
  mkdir -p "$p"
  cp "$BUILD_DIR/tavrel-world-clock" "$p/"
  for f in citydata.dat citydata.zones.tsv reminders.dat dialcodes.dat day.jpg night.jpg dot.ico sun1.ico help; do
    [ -e "$BUILD_DIR/$f" ] && ln -s "$BUILD_DIR/$f" "$p/$f"
  done
  for d in sounds Skins; do
    if [ -e "$BUILD_DIR/$d" ]; then ln -s "$BUILD_DIR/$d" "$p/$d"; fi
  done
  # Folders of links, so a scenario may take a file away without touching
  # the build tree's.
  for d in askins dskins; do
    if [ -e "$BUILD_DIR/$d" ]; then cp -rs "$BUILD_DIR/$d" "$p/$d"; fi
  done
}

# Settings as the program stores them (values in .reg syntax, one per line).
write_settings() {
  mkdir -p "$(dirname "$SETTINGS_FILE")"
  {
    echo "Windows Registry Editor Version 5.00"
    echo
    echo '[HKEY_CURRENT_USER\Software\ZQM\World Clock 1.0\Settings]'
    printf '%s\n' "$@"
  } >"$SETTINGS_FILE"
}
setting_line() { grep -F "\"$1\"=" "$SETTINGS_FILE" 2>/dev/null || true; }
# A string list value in the settings file's syntax, for write_settings.
multi_sz() {  # multi_sz NAME TEXT...
  local hex
  hex=$({ printf '%s\0' "${@:2}"; printf '\0'; } | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
    tr -s ' \n' ',' | sed 's/^,//; s/,$//')
  printf '"%s"=hex(7):%s\n' "$1" "$hex"
}
# The stored "Display Cities", one name a line.
display_cities() {
  python3 - "$SETTINGS_FILE" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read().replace("\\\n", "")
m = re.search(r'"Display Cities"=hex\(7\):([0-9a-f,\s]*)', text)
if m:
    data = bytes(int(b, 16) for b in m.group(1).replace(" ", "").split(",") if b)
    print("\n".join(n for n in data.decode("utf-16-le").split("\0") if n))
PY
}

# Starts the program in the background; its output goes to $WORK/app<N>.log.
APP_RUNS=0
start_app() {
  APP_RUNS=$((APP_RUNS + 1))
  APP_LOG="$WORK/app$APP_RUNS.log"
  : >"$APP_LOG"
  env TAVREL_REPORT_STARTUP=1 "$@" "$PROGRAM" >"$APP_LOG" 2>&1 &
  APP_PID=$!
}

# Waits (up to $2 seconds, default 20) until the line appears in the log.
wait_log() {
  local what=$1 limit=${2:-20}
  for _ in $(seq $((limit * 10))); do
    grep -qF "$what" "$APP_LOG" && return 0
    kill -0 "$APP_PID" 2>/dev/null || fail "program ended while waiting for '$what'"
    sleep 0.1
  done
  fail "no '$what' within $limit s"
}

main_window() {
  wait_until 15 '[ "$(visible_main_windows)" -ge 1 ]' || fail "no main window"
  main_windows | head -n1
}
# The visible top-level windows captioned like the main window, without
# waiting: menus (override-redirect) and the tray icon (docked inside the
# tray host) carry the application's name too and are left out.
main_windows() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Tavrel World Clock Pro$' 2>/dev/null); do
    xwininfo -tree -id "$w" 2>/dev/null | grep -q 'Parent window id: .*(the root window)' || continue
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q OVERRIDE && continue
    echo "$w"
  done
}
visible_main_windows() { main_windows | grep -c . || true; }
# A desktop clock's window: its caption is the clock's city.
clock_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
# The program's visible windows of a role (WM_WINDOW_ROLE): the tool
# windows carry their class name there, having no caption of their own.
tool_windows() {  # tool_windows ROLE
  local w
  for w in $(xdotool search --onlyvisible --classname '^tavrel-world-clock$' 2>/dev/null); do
    xprop -id "$w" WM_WINDOW_ROLE 2>/dev/null | grep -qF "= \"$1\"" && echo "$w"
  done
}
# Open pop-up menus and tool tips of the program (override-redirect windows).
open_menus() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^tavrel-world-clock$' 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && echo "$w"
  done
}

# Real key presses to a window (the toolkit ignores synthetic ones).
send_keys() {  # send_keys WINDOW KEY...
  local win=$1; shift
  xdotool windowfocus --sync "$win"
  xdotool key --delay 80 "$@"
}

# Waits until the shell condition holds; it is evaluated anew each time, so
# quote it whole ('[ "$(tray_icon_count)" = 1 ]').
wait_until() {  # wait_until LIMIT_SECONDS 'CONDITION'
  local limit=$1; shift
  for _ in $(seq $((limit * 10))); do eval "$1" && return 0; sleep 0.1; done
  return 1
}

wait_exit() {  # the program ends within $1 seconds; sets APP_RC
  local limit=${1:-10}
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
      APP_RC=0; wait "$APP_PID" || APP_RC=$?; APP_PID=; return 0
    fi
    sleep 0.1
  done
  fail "program still running after $limit s"
}

# Window geometry: sets WIN_X WIN_Y WIN_W WIN_H.
window_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^X=/WIN_X=/; s/^Y=/WIN_Y=/; s/^WIDTH=/WIN_W=/; s/^HEIGHT=/WIN_H=/')"
}

# A screenshot of the root window, with import's options. On a loaded machine
# import now and then fails to read the screen; a second try is soon enough
# for every scenario's timing.
screenshot() {  # screenshot OUT.png [IMPORT_OPTION...]
  local out=$1; shift
  for _ in 1 2 3; do
    import -window root "$@" "$out" 2>/dev/null && [ -s "$out" ] && return 0
    sleep 0.1
  done
  import -window root "$@" "$out"
}

# A screenshot of a window's map image (the bottom 2:1 rectangle of the
# window), without its top $2 rows (the date caption).
shot_map() {  # shot_map WINDOW OUT.png [SKIP_ROWS]
  local win=$1 out=$2 skip=${3:-0}
  window_geometry "$win"
  local mh=$((WIN_W / 2))
  screenshot "$out" -crop "${WIN_W}x$((mh - skip))+${WIN_X}+$((WIN_Y + WIN_H - mh + skip))" +repage
}

# Moves the pointer to a place of the map image given in degrees (latitude,
# longitude east positive) of the default Europe-centred view.
point_at() {  # point_at WINDOW LAT LON
  window_geometry "$1"
  local mh=$((WIN_W / 2))
  xdotool mousemove $((WIN_X + WIN_W / 2 + $3 * WIN_W / 360)) $((WIN_Y + WIN_H - mh + (90 - $2) * mh / 180))
}

# Number of differing pixels between two images of one size.
pixel_diff() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

# Share of pixels brighter than black in an image, in percent.
lit_percent() {
  convert "$1" -colorspace Gray -threshold 8% -format '%[fx:int(100*mean)]' info:
}

# The icons docked in the tray host, one line each: "WxH+X+Y" (absolute).
tray_icons() { xwininfo -children -id "$TRAYER_WIN" | awk '/^ +0x/ && $NF ~ /^\+/ {split($(NF-1), g, "+"); print g[1] $NF}' | grep -v '^1x1' || true; }
tray_icon_count() { tray_icons | grep -c . || true; }

# Clicks the program's tray icon (the only one docked).
click_tray_icon() {
  local button=${1:-1} geo
  wait_until 5 '[ "$(tray_icon_count)" = 1 ]' || fail "no tray icon to click"
  sleep 0.3  # docking settles the icon's place
  geo=$(tray_icons | head -n1)
  [ -n "$geo" ] || fail "no tray icon to click"
  local size=${geo%%+*} pos=${geo#*+}
  local w=${size%x*} h=${size#*x} x=${pos%+*} y=${pos#*+}
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click "$button"
}
