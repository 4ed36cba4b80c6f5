#!/usr/bin/env bash
# Start-up time: from the process start (the kernel's record of it) to the
# first map drawn on screen, with the data folder warm (seeded by an earlier
# start). Runs under a private Xvfb; prints every run and the median.
#   bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-15}
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

one_run() {
  TAVREL_REPORT_STARTUP=1 "$build/tavrel-world-clock" >"$work/log" 2>&1 &
  local app=$!
  for _ in $(seq 200); do grep -q "first map" "$work/log" && break; sleep 0.05; done
  kill -TERM "$app"
  wait "$app" || true
  sed -n 's/^first map on screen after \([0-9.]*\) s$/\1/p' "$work/log"
}

one_run >/dev/null  # seeds the data folder, warms the file cache
times=()
for i in $(seq "$runs"); do
  t=$(one_run)
  echo "run $i: $t s"
  times+=("$t")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END {
  printf "start to first map: min %.3f s, median %.3f s, max %.3f s (%d runs)\n", a[1], a[int((NR + 1) / 2)], a[NR], NR }'
