#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The installed layout: the program in <prefix>/bin finds what ships in
# <prefix>/share/tavrel-world-clock (its first start seeds the data folder
# from there), and the desktop entry, the icons and the software-centre
# description are there and valid.
source "$(dirname "$0")/lib.sh"
prefix="$WORK/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null
PROGRAM="$prefix/bin/tavrel-world-clock"
[ -x "$PROGRAM" ] || fail "no installed program"
shared="$prefix/share/tavrel-world-clock"
for f in citydata.dat reminders.dat dialcodes.dat day.jpg night.jpg dot.ico sun1.ico help/index.html; do
  [ -f "$shared/$f" ] || fail "$f not installed"
done
[ -f "$prefix/bin/day.jpg" ] && fail "data beside the binary"

desktop-file-validate "$prefix/share/applications/tavrel-world-clock.desktop" || fail "desktop entry"
appstreamcli validate --no-net --explain "$prefix/share/metainfo/org.tavrel.WorldClock.metainfo.xml" >"$WORK/as.log" 2>&1 ||
  { cat "$WORK/as.log"; fail "metainfo"; }
for s in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${s}x${s}/apps/tavrel-world-clock.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${s}x${s}" ] || fail "icon ${s}x${s}"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/tavrel-world-clock.svg" ] || fail "scalable icon"

start_desktop
fresh_home
start_app
wait_log "first map on screen"
cmp -s "$DATA_FOLDER/citydata.dat" "$shared/citydata.dat" || fail "data folder not seeded from $shared"
kill -TERM "$APP_PID"
wait_exit 10
echo "install: ok"
