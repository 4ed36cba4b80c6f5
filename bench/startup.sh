#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up time: from the process start (the kernel's record of it, to 10 ms)
# to the first map drawn on screen, with the data folder warm (seeded by an
# earlier start). Runs under a private Xvfb; prints every run with the CPU
# time and page faults the program had used by then, and the medians.
#   bench/startup.sh [BUILD_DIR] [RUNS]
# A run that yields no figure (the program did not report its first map,
# say because a start-up message box waits for an answer) ends the script
# with exit status 1 and says why.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-15}
wait_s=10
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

Xvfb -displayfd 6 -screen 0 1920x1080x24 -noreset -nolisten tcp 6>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
ticks=$(getconf CLK_TCK)

# One start: "seconds cpu-seconds faults", or nothing when no figure came.
one_run() {
  # Emptied here, not by the redirection below: the child opens the file in
  # its own time, and until then the last run's line would still be read.
  : >"$work/log"
  TAVREL_REPORT_STARTUP=1 "$build/tavrel-world-clock" >>"$work/log" 2>&1 &
  local app=$! usage=""
  for _ in $(seq $((wait_s * 100))); do
    if grep -q "first map" "$work/log"; then
      # minflt, utime and stime of the whole process, exited threads included.
      usage=$(awk -v hz="$ticks" '{printf "%.2f %d", ($14 + $15) / hz, $10}' "/proc/$app/stat" 2>/dev/null || true)
      break
    fi
    kill -0 "$app" 2>/dev/null || break
    sleep 0.01
  done
  local shown=""
  [ -n "$usage" ] || shown=$(xdotool search --onlyvisible --name '.+' getwindowname %@ 2>/dev/null | sort -u | paste -sd, - || true)
  kill -TERM "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  local t
  t=$(sed -n 's/^first map on screen after \([0-9.]*\) s$/\1/p' "$work/log")
  if [ -z "$t" ] || [ -z "$usage" ]; then
    {
      echo "startup.sh: no figure: the program did not report its first map within $wait_s s."
      [ -n "$shown" ] && echo "  Windows on the screen: $shown (a start-up message box waits for an answer?)"
      [ -s "$work/log" ] && sed 's/^/  program: /' "$work/log"
      echo "  A warning box at start-up means something the program needs is missing next to"
      echo "  $build/tavrel-world-clock (the theme folders askins/ and dskins/, say)."
    } >&2
    return 1
  fi
  echo "$t $usage"
}

one_run >/dev/null || exit 1  # seeds the data folder, warms the file cache
: >"$work/runs"
for i in $(seq "$runs"); do
  r=$(one_run) || exit 1
  read -r t cpu faults <<<"$r"
  echo "run $i: $t s (cpu $cpu s, $faults page faults)"
  echo "$r" >>"$work/runs"
done
median() { sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
t_min=$(awk '{print $1}' "$work/runs" | sort -g | head -n1)
t_max=$(awk '{print $1}' "$work/runs" | sort -g | tail -n1)
printf 'start to first map: min %.3f s, median %.3f s, max %.3f s (%d runs); median cpu %.2f s, median page faults %d\n' \
  "$t_min" "$(awk '{print $1}' "$work/runs" | median)" "$t_max" "$runs" \
  "$(awk '{print $2}' "$work/runs" | median)" "$(awk '{print $3}' "$work/runs" | median)"
