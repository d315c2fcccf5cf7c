#!/usr/bin/env bash
# Closing Trimora2 with a 20 MB settings file beside the same close with a small one, timed as
# whole processes under a virtual X server: from the close key (Alt+F4) to the process's end.
# Each run closes both, one after the other, and the ratio of the two is taken per run.
#
#   bench/platform/settings_close.sh [BUILD_BIN [RUNS [PEER_BIN]]]
#
# PEER_BIN: another build's program folder, measured the same way in the same runs.
set -euo pipefail
bin=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/bin}
runs=${2:-7}
peer=${3:-}
display=:$((150 + RANDOM % 50))
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb "$display" -noreset -screen 0 1600x1200x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display

# The settings a session leaves, and the same with 20 MB of other values of the key.
version=2.0
small=$work/small.ini
{
  echo "[\\Software\\Halvorn\\Trimora\\$version]"
  for v in Left:100 Top:80 Width:900 Height:700 FormatID:1 Thumbs:1 ZoomLevel:50; do
    printf '"%s"=dword:%08x\n' "${v%%:*}" "${v##*:}"
  done
  echo '"SourceDir"=""'
} >"$small"
big=$work/big.ini
{
  cat "$small"
  echo "[\\Software\\Halvorn\\Trimora\\$version\\Ballast]"
  awk 'BEGIN { for (i = 0; i < 260000; i++) printf "\"Value%07d\"=\"%s\"\n", i, "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz" }'
} >"$big"

# Seconds from the close key to the end of the process, for program folder $1 and file $2.
close_time() {
  local home
  home=$(mktemp -d "$work/home.XXXX")
  mkdir -p "$home/config/Halvorn/Trimora" "$home/data" "$home/run"
  chmod 700 "$home/run"
  cp "$2" "$home/config/Halvorn/Trimora/$version.ini"
  # Written by the session before, not a moment ago.
  touch -d "1 hour ago" "$home/config/Halvorn/Trimora/$version.ini"
  XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run \
    "$1/Trimora2" -restart >/dev/null 2>&1 &
  local pid=$!
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | tail -1)
  sleep 1
  local start end
  start=$(date +%s.%N)
  xdotool key --window "$window" alt+F4
  wait "$pid" || true
  end=$(date +%s.%N)
  rm -rf "$home"
  echo "$end - $start" | bc -l
}

printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'settings file: small %s bytes, big %s bytes\n' "$(stat -c %s "$small")" "$(stat -c %s "$big")"
ratios=() peer_ratios=()
for ((r = 1; r <= runs; r++)); do
  s=$(close_time "$bin" "$small")
  b=$(close_time "$bin" "$big")
  ratios+=("$(echo "$b / $s" | bc -l)")
  line=$(printf 'run %d: small %.3f s, big %.3f s, ratio %.2f' "$r" "$s" "$b" "${ratios[-1]}")
  if [ -n "$peer" ]; then
    ps=$(close_time "$peer" "$small")
    pb=$(close_time "$peer" "$big")
    peer_ratios+=("$(echo "$pb / $ps" | bc -l)")
    line+=$(printf '; peer small %.3f s, big %.3f s, ratio %.2f' "$ps" "$pb" "${peer_ratios[-1]}")
  fi
  echo "$line"
done
summary() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { printf "median %.2f (min %.2f, max %.2f)\n", v[int((NR + 1) / 2)], v[1], v[NR] }'; }
echo "big/small: $(summary "${ratios[@]}")"
[ -n "$peer" ] && echo "peer big/small: $(summary "${peer_ratios[@]}")"
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
