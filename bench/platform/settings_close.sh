#!/usr/bin/env bash
# Closing Trimora2 with a 20 MB settings file beside the same close with a small one, timed as
# whole processes under a virtual X server: from the close key (Alt+F4) to the process's end.
# Each run closes both, one after the other, and the ratio of the two is taken per run, of the
# wall-clock time and of the processor time the program spent from the key to its end. The
# files lack some of the values the close writes, so the close changes them. A third close per
# run starts from the 20 MB file as a first session left it, so that the close finds every
# value as it is stored ("big, settled").
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
# The server may take a while to come up on a busy machine.
for _ in $(seq 300); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.1
done
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

# Seconds from the close key to the end of the process, for program folder $1 and file $2; the
# settings file the close left is copied to $3 when given.
close_time() {
  local home
  home=$(mktemp -d "$work/home.XXXX")
  mkdir -p "$home/config/Halvorn/Trimora" "$home/data" "$home/run"
  chmod 700 "$home/run"
  cp "$2" "$home/config/Halvorn/Trimora/$version.ini"
  # Written by the session before, not a moment ago.
  touch -d "1 hour ago" "$home/config/Halvorn/Trimora/$version.ini"
  XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run \
    /usr/bin/time -f '%U %S' -o "$home/cpu" "$1/Trimora2" -restart >/dev/null 2>&1 &
  local pid=$!
  local window program
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^ *Trimora 2$' 2>/dev/null | tail -1)
  program=$(pgrep -P "$pid" | head -1)
  sleep 1
  local start end before
  # Processor time so far (user and system, in clock ticks).
  before=$(awk '{ print $14 + $15 }' "/proc/$program/stat")
  start=$(date +%s.%N)
  xdotool key --window "$window" alt+F4
  wait "$pid" || true
  end=$(date +%s.%N)
  local cpu
  cpu=$(awk -v b="$before" -v t="$(getconf CLK_TCK)" '{ print $1 + $2 - b / t }' "$home/cpu")
  if [ -n "${3:-}" ]; then cp "$home/config/Halvorn/Trimora/$version.ini" "$3"; fi
  rm -rf "$home"
  echo "$(echo "$end - $start" | bc -l) $cpu"
}

printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'settings file: small %s bytes, big %s bytes\n' "$(stat -c %s "$small")" "$(stat -c %s "$big")"
settled=$work/settled.ini
close_time "$bin" "$big" "$settled" >/dev/null
ratios=() cpu_ratios=() settled_ratios=() peer_ratios=()
for ((r = 1; r <= runs; r++)); do
  read -r s sc <<<"$(close_time "$bin" "$small")"
  read -r b bc_ <<<"$(close_time "$bin" "$big")"
  read -r st _ <<<"$(close_time "$bin" "$settled")"
  ratios+=("$(echo "$b / $s" | bc -l)")
  cpu_ratios+=("$(echo "$bc_ / $sc" | bc -l)")
  settled_ratios+=("$(echo "$st / $s" | bc -l)")
  line=$(printf 'run %d: small %.3f s (cpu %.2f), big %.3f s (cpu %.2f), ratio %.2f, cpu ratio %.2f; big, settled %.3f s, ratio %.2f' \
    "$r" "$s" "$sc" "$b" "$bc_" "${ratios[-1]}" "${cpu_ratios[-1]}" "$st" "${settled_ratios[-1]}")
  if [ -n "$peer" ]; then
    read -r ps _ <<<"$(close_time "$peer" "$small")"
    read -r pb _ <<<"$(close_time "$peer" "$big")"
    peer_ratios+=("$(echo "$pb / $ps" | bc -l)")
    line+=$(printf '; peer small %.3f s, big %.3f s, ratio %.2f' "$ps" "$pb" "${peer_ratios[-1]}")
  fi
  echo "$line"
done
summary() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { printf "median %.2f (min %.2f, max %.2f)\n", v[int((NR + 1) / 2)], v[1], v[NR] }'; }
echo "big/small: $(summary "${ratios[@]}")"
echo "big/small processor time of the close: $(summary "${cpu_ratios[@]}")"
echo "big, settled/small: $(summary "${settled_ratios[@]}")"
[ -n "$peer" ] && echo "peer big/small: $(summary "${peer_ratios[@]}")"
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
