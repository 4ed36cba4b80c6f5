# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# A private X server on a display number it picks itself (-displayfd), so that
# runs at once never race for one; -noreset keeps the root window and its
# properties alive when the last client leaves. Sets DISPLAY and XVFB_PID.
# XVFB_SCREEN: another screen than 1920x1080x24 (a 2x screen's 3840x2160x24).
start_xvfb() {  # start_xvfb FOLDER   (where the display number is written)
  local out="$1/displayfd"
  Xvfb -displayfd 6 -screen 0 "${XVFB_SCREEN:-1920x1080x24}" -noreset -nolisten tcp 6>"$out" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 200); do [ -s "$out" ] && break; sleep 0.05; done
  [ -s "$out" ] || { kill "$XVFB_PID" 2>/dev/null; echo "Xvfb did not start within 10 s" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$out")"
}
