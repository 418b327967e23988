#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Start of the utility against its floor: a bare toolkit window of the same size and title
# (bare_window), exec to first window mapped, the two alternating for N rounds on an Xvfb
# this script starts itself, against the simulated mouse. Prints each round, both medians
# and, last, their ratio. Then the memory of the display program after it has shown a text.
# Usage: start_floor.sh [ROUNDS] [BUILD_DIR]    (ROUNDS default 11, BUILD_DIR default build)
# APPDIR=... measures another build's utility against the same floor; BEFORE=APPDIR adds a
# second build's utility to every round (figures before and after a change, one run).
set -u
ROUNDS=${1:-11}
BUILD=$(cd "${2:-$(dirname "$0")/../../build}" && pwd)
APPDIR=${APPDIR:-$BUILD/appdir}
TIMER=$BUILD/bench/start_floor/map_timer
BARE=$BUILD/bench/start_floor/bare_window
for f in "$APPDIR/mousecfg" "$APPDIR/OSD" "$TIMER" "$BARE"; do
  [ -x "$f" ] || { echo "start_floor: $f is missing (build first)" >&2; exit 1; }
done

WORK=$(mktemp -d)
XVFB=
cleanup() { [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null; rm -rf "$WORK"; }
trap cleanup EXIT
# -noreset: without it the server resets whenever its last client leaves, and refuses the
# next start meanwhile. The server picks a free display itself and tells us which: no guessing at numbers that
# may belong to someone else.
exec 3>"$WORK/display"
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
[ -s "$WORK/display" ] || { echo "start_floor: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$WORK/display")
export MOUSECFG_SIMULATE=both XDG_CONFIG_HOME=$WORK/config XDG_CACHE_HOME=$WORK/cache XDG_RUNTIME_DIR=$WORK/run
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/mousecfg-no-bus
mkdir -p "$WORK/run" && chmod 700 "$WORK/run"
echo "start_floor: display $DISPLAY, $ROUNDS rounds; load before: $(cut -d' ' -f1-3 /proc/loadavg)"

# One start to warm the file cache and to learn the window's size and title.
read -r ms pid _ < <("$TIMER" --keep "$APPDIR/mousecfg")
sleep 2
win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
eval "$(xdotool getwindowgeometry --shell "$win")"
TITLE=$(xdotool getwindowname "$win")
kill "$pid"; while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
echo "window ${WIDTH}x${HEIGHT} \"$TITLE\" (first start $ms ms)"
"$TIMER" "$BARE" "$WIDTH" "$HEIGHT" "$TITLE" >/dev/null

BEFORE=${BEFORE:-}
app=() appcpu=() bare=() barecpu=() old=() oldcpu=()
run_old() { [ -n "$BEFORE" ] || return 0; read -r ms _ cpu < <("$TIMER" "$BEFORE/mousecfg"); old+=("$ms"); oldcpu+=("$cpu"); }
run_app() { read -r ms _ cpu < <("$TIMER" "$APPDIR/mousecfg"); app+=("$ms"); appcpu+=("$cpu"); }
run_bare() { read -r ms _ cpu < <("$TIMER" "$BARE" "$WIDTH" "$HEIGHT" "$TITLE"); bare+=("$ms"); barecpu+=("$cpu"); }
for r in $(seq "$ROUNDS"); do
  # Alternate which goes first, so neither always follows the other's exit.
  if [ $((r % 2)) -eq 1 ]; then run_app; run_bare; run_old; else run_old; run_bare; run_app; fi
  echo "round $r: utility ${app[-1]} ms (cpu ${appcpu[-1]}), bare ${bare[-1]} ms (cpu ${barecpu[-1]})${BEFORE:+, before ${old[-1]} ms (cpu ${oldcpu[-1]})}"
  sleep 0.3
done
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
ma=$(median "${app[@]}")
mb=$(median "${bare[@]}")
mac=$(median "${appcpu[@]}")
mbc=$(median "${barecpu[@]}")
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

# The display program, started alone, shows one text; its memory is read while it does.
MOUSECFG_OSD_OWNER= "$APPDIR/OSD" >/dev/null 2>&1 &
osd=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/mousecfg-osd" ] && break; sleep 0.05; done
"$(dirname "$0")/osd_show.py" "$XDG_RUNTIME_DIR/mousecfg-osd"
sleep 0.5
shown=$(xdotool search --onlyvisible --pid "$osd" 2>/dev/null | head -1)
state="window shown"
[ -n "$shown" ] || state="NO window shown"
echo "display program VmRSS while showing a text: $(awk '/VmRSS/ {print $2}' /proc/$osd/status) kB ($state)"
kill "$osd" 2>/dev/null; wait "$osd" 2>/dev/null

if [ -n "$BEFORE" ]; then
  mo=$(median "${old[@]}")
  moc=$(median "${oldcpu[@]}")
  echo "before: median $mo ms, ratio $(awk -v a="$mo" -v b="$mb" 'BEGIN {printf "%.2f", a / b}'); CPU $moc ms, ratio $(awk -v a="$moc" -v b="$mbc" 'BEGIN {printf "%.2f", a / b}')"
fi
echo "CPU to mapped, medians: utility $mac ms, bare window $mbc ms, ratio $(awk -v a="$mac" -v b="$mbc" 'BEGIN {printf "%.2f", a / b}')"
echo "utility median: $ma ms"
echo "bare window median: $mb ms"
echo "ratio: $(awk -v a="$ma" -v b="$mb" 'BEGIN {printf "%.2f", a / b}')"
