# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The desktops of the matrix, started from Debian's packages: a private X
# server with a window manager and the desktop's own services, or a headless
# Wayland compositor with Xwayland. Each gets a session bus of its own, in
# the private home that fresh_home made. Source after tests/e2e/lib.sh.
#
# start_session NAME sets DISPLAY (and WAYLAND_DISPLAY on Wayland) and:
#   SESSION_KIND  x11 | wayland
#   TRAY_HOST     trayer (XEmbed) | panel (XEmbed and StatusNotifierItem) | none
#   WALLPAPER_AT  root | xfconf | gsettings: where the map as wallpaper shows
#   WM_NAME       the window manager's own name (_NET_WM_NAME of its check window)

DESKTOPS=(openbox xfce kwin_x11 mutter weston kwin_wayland)

# The programs each desktop needs; a desktop whose programs are missing is
# reported as not installed rather than failed.
desktop_programs() {
  case $1 in
    openbox) echo openbox ;;
    xfce) echo xfwm4 xfdesktop xfce4-panel xfconf-query /usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd ;;
    kwin_x11) echo kwin_x11 ;;
    mutter) echo mutter gsettings ;;
    weston) echo weston Xwayland ;;
    kwin_wayland) echo kwin_wayland Xwayland ;;
    *) return 1 ;;
  esac
}
desktop_installed() {
  local p
  for p in $(desktop_programs "$1"); do command -v "$p" >/dev/null || [ -x "$p" ] || return 1; done
}

start_bus() {  # start_bus [CONFIG]: the session's own bus configuration by default
  local info="$WORK/bus.info" config=(--session)
  [ -n "${1:-}" ] && config=(--config-file="$1")
  dbus-daemon "${config[@]}" --fork --nopidfile --print-address=3 --print-pid=4 3>"$info" 4>"$info.pid" ||
    fail "no session bus"
  DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$info")
  export DBUS_SESSION_BUS_ADDRESS
  PIDS+=("$(head -n1 "$info.pid")")
}

# An X server of its own, split into two monitors side by side (MONITORS=2),
# so that the main window's stored monitor is a place no window manager
# would pick. GTK counts only monitors with an output, and Xvfb has one:
# GTK's desktops get one monitor.
start_x_server() {  # start_x_server [1|2]; MATRIX_MONITORS=1 makes it one
  MONITORS=${MATRIX_MONITORS:-${1:-2}}
  local fifo="$WORK/displayfd"
  Xvfb -displayfd 6 -screen 0 1920x1080x24 -noreset -nolisten tcp 6>"$fifo" 2>/dev/null &
  PIDS+=($!)
  for _ in $(seq 100); do [ -s "$fifo" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$fifo")"
  [ "$MONITORS" = 2 ] || return 0
  xrandr --setmonitor left 960/254x1080/286+0+0 screen >/dev/null
  xrandr --setmonitor right 960/254x1080/286+960+0 none >/dev/null
}

# Started before the window manager, which takes it over as it starts: one
# started just after openbox had its window left unmapped now and then.
start_trayer() {
  trayer --edge top --align right --widthtype pixel --width 120 --height 28 --transparent false \
    >"$WORK/trayer.log" 2>&1 &
  PIDS+=($!)
  wait_until 20 'xdotool search --onlyvisible --class trayer >/dev/null 2>&1' || fail "the tray host did not show"
  TRAYER_WIN=$(xdotool search --onlyvisible --class trayer | head -n1)
}
# The tray host, once the window manager runs, where it shows.
wait_trayer() {
  wait_until 20 '[ "$(xwininfo -id "$TRAYER_WIN" 2>/dev/null | sed -n "s/.*Map State: //p")" = IsViewable ]' ||
    fail "the window manager did not show the tray host"
}

# The window manager's name once it has taken the screen.
wm_name() {
  local check
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/#/ {print $NF}')
  [ -n "$check" ] || return 1
  xprop -id "$check" _NET_WM_NAME 2>/dev/null | sed -n 's/.*= "\(.*\)"$/\1/p'
}
wait_wm() {
  wait_until 60 '[ -n "$(wm_name)" ]' || fail "no window manager took the screen (log: $WORK/wm.log)"
  WM_NAME=$(wm_name)
}

# Xfce's panel, with the panel layout Xfce ships (task list, pager, status
# tray), stored before its settings daemon starts so that the panel does not
# ask which layout to use.
preset_xfce_panel() {
  local dir="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
  mkdir -p "$dir"
  cp /etc/xdg/xfce4/panel/default.xml "$dir/xfce4-panel.xml"
}

# Services the bus starts on demand (the portal, the settings daemons) see
# the session's displays and desktop name.
share_session_environment() {
  dbus-update-activation-environment DISPLAY ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY} \
    ${XDG_CURRENT_DESKTOP:+XDG_CURRENT_DESKTOP} ${XDG_SESSION_TYPE:+XDG_SESSION_TYPE} HOME XDG_CONFIG_HOME \
    XDG_DATA_HOME XDG_RUNTIME_DIR
}

start_session() {
  SESSION_KIND=x11 TRAY_HOST=trayer WALLPAPER_AT=root MONITORS=1
  # A bare compositor comes with no desktop services: no bus service (the
  # portal among them) starts on demand there.
  if [ "$1" = weston ]; then
    start_bus "$(dirname "${BASH_SOURCE[0]}")/../platform/private-bus.conf"
  else
    start_bus
  fi
  start_desktop_of "$1"
  share_session_environment
}

start_desktop_of() {
  case $1 in
    openbox)
      start_x_server
      start_trayer
      openbox --sm-disable >"$WORK/wm.log" 2>&1 &
      PIDS+=($!)
      wait_wm
      wait_trayer
      ;;
    xfce)
      export XDG_CURRENT_DESKTOP=XFCE
      preset_xfce_panel
      start_x_server 1
      /usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd >"$WORK/xfconfd.log" 2>&1 &
      PIDS+=($!)
      xfwm4 >"$WORK/wm.log" 2>&1 &
      PIDS+=($!)
      wait_wm
      xfdesktop >"$WORK/xfdesktop.log" 2>&1 &
      PIDS+=($!)
      xfce4-panel >"$WORK/panel.log" 2>&1 &
      PIDS+=($!)
      wait_until 30 'xdotool search --onlyvisible --class xfce4-panel >/dev/null 2>&1' || fail "no Xfce panel"
      wait_until 30 'xdotool search --onlyvisible --class xfdesktop >/dev/null 2>&1' || fail "no Xfce desktop"
      TRAY_HOST=panel WALLPAPER_AT=xfconf
      ;;
    kwin_x11)
      export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
      start_x_server
      start_trayer
      kwin_x11 >"$WORK/wm.log" 2>&1 &
      PIDS+=($!)
      wait_wm
      wait_trayer
      ;;
    mutter)
      # GNOME's window manager on its own, as GNOME on X11 runs it; GNOME has
      # no tray, so minimising to the tray goes to the task bar.
      export XDG_CURRENT_DESKTOP=GNOME
      # Workspaces are made on demand by GNOME's shell, not by mutter alone:
      # two fixed ones, as GNOME offers in its settings.
      gsettings set org.gnome.mutter dynamic-workspaces false
      gsettings set org.gnome.desktop.wm.preferences num-workspaces 2
      start_x_server
      mutter --x11 --replace >"$WORK/wm.log" 2>&1 &
      PIDS+=($!)
      wait_wm
      TRAY_HOST=none WALLPAPER_AT=gsettings
      ;;
    weston)
      SESSION_KIND=wayland TRAY_HOST=none
      export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY="wc-weston-$$"
      weston --backend=headless-backend.so --xwayland --socket="$WAYLAND_DISPLAY" --width=1920 --height=1080 \
        --idle-time=0 --log="$WORK/wm.log" >/dev/null 2>&1 &
      PIDS+=($!)
      wait_until 30 'grep -q "xserver listening on display" "$WORK/wm.log"' || fail "weston started no Xwayland"
      export DISPLAY
      DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/wm.log" | head -n1)
      wait_wm
      ;;
    kwin_wayland)
      SESSION_KIND=wayland TRAY_HOST=none
      export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 XDG_SESSION_TYPE=wayland
      export WAYLAND_DISPLAY="wc-kwin-$$"
      # The packaged binary carries a file capability that a container's
      # bounding set may refuse at exec; a copy runs without it.
      cp "$(command -v kwin_wayland)" "$WORK/kwin_wayland"
      # The session's own environment (Xwayland's display) comes out through
      # the session program.
      printf '#!/bin/sh\necho $$ >"%s.pid"\necho "$DISPLAY" >"%s"\nexec sleep infinity\n' \
        "$WORK/kwin-display" "$WORK/kwin-display" >"$WORK/kwin-session"
      chmod +x "$WORK/kwin-session"
      "$WORK/kwin_wayland" --virtual --xwayland --socket "$WAYLAND_DISPLAY" --width 1920 --height 1080 \
        --exit-with-session="$WORK/kwin-session" >"$WORK/wm.log" 2>&1 &
      PIDS+=($!)
      wait_until 60 '[ -s "$WORK/kwin-display" ]' || fail "kwin_wayland started no Xwayland"
      PIDS+=("$(cat "$WORK/kwin-display.pid")")
      export DISPLAY
      DISPLAY=$(head -n1 "$WORK/kwin-display")
      wait_wm
      ;;
    *) fail "no desktop named $1" ;;
  esac
}
