#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Measures the utility from outside under Xvfb, against the simulated mouse: exec to window
# mapped (five starts), resident memory of the utility and of the display program (made to
# show a text), idle CPU with the window shown and unmapped.
# Usage: outside.sh [appdir] [idle seconds]
set -u
APPDIR=$(cd "${1:-$(dirname "$0")/../../build/appdir}" && pwd)
IDLE=${2:-60}
WORK=$(mktemp -d)
trap 'kill $XVFB 2>/dev/null; rm -rf "$WORK"' EXIT
# The server takes a free display and names it: a guessed number may be someone else's.
exec 3>"$WORK/display"
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
DISPLAY_NO=:$(head -1 "$WORK/display")
export DISPLAY=$DISPLAY_NO MOUSECFG_SIMULATE=both XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/mousecfg-no-bus MOUSECFG_BENCH_TAG=$WORK
mkdir -p "$WORK/run" && chmod 700 "$WORK/run"
ms() { echo $(( $(date +%s%N) / 1000000 )); }
rss() { awk '/VmRSS/ {print $2}' /proc/$1/status 2>/dev/null; }
cpu() { awk '{print $14 + $15}' /proc/$1/stat 2>/dev/null; }
# The display program started for this run (it carries our tag in its environment).
osd_pid() {
  for p in $(pgrep -x OSD); do
    tr '\0' '\n' </proc/$p/environ 2>/dev/null | grep -qx "MOUSECFG_BENCH_TAG=$WORK" && echo $p
  done | head -1
}
starts=()
for run in 1 2 3 4 5 6; do
  t0=$(ms)
  "$APPDIR/mousecfg" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --pid $pid >/dev/null 2>&1; do
    [ $(( $(ms) - t0 )) -gt 10000 ] && break
  done
  t1=$(ms)
  starts+=($((t1 - t0)))
  if [ $run -lt 6 ]; then kill $pid; wait $pid 2>/dev/null; sleep 1; fi
done
echo "exec to mapped (ms): ${starts[*]} (first start is cold)"
echo "median of the last five: $(printf '%s\n' "${starts[@]:1}" | sort -n | sed -n 3p) ms"
sleep 3
echo "utility VmRSS: $(rss $pid) kB"
# The simulated mouse reports no change that would start the display: start it as the
# utility does and hand it a text, so the figure is of a display that has drawn something.
[ -n "$(osd_pid)" ] || { MOUSECFG_OSD_OWNER=$pid "$APPDIR/OSD" >/dev/null 2>&1 & }
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/mousecfg-osd" ] && break; sleep 0.05; done
"$(dirname "$0")/../start_floor/osd_show.py" "$XDG_RUNTIME_DIR/mousecfg-osd" >/dev/null 2>&1
sleep 0.5
o=$(osd_pid)
if [ -n "$o" ]; then echo "display program VmRSS: $(rss $o) kB"; else echo "display program: not running"; fi
ticks=$(getconf CLK_TCK)
c0=$(cpu $pid); sleep "$IDLE"; c1=$(cpu $pid)
echo "idle CPU shown: $(awk -v a=$c0 -v b=$c1 -v t=$ticks -v s=$IDLE 'BEGIN {printf "%.3f", (b-a)/t/s*100}') %"
for w in $(xdotool search --onlyvisible --pid $pid); do xdotool windowunmap $w; done
sleep 1
c0=$(cpu $pid); sleep "$IDLE"; c1=$(cpu $pid)
echo "idle CPU unmapped: $(awk -v a=$c0 -v b=$c1 -v t=$ticks -v s=$IDLE 'BEGIN {printf "%.3f", (b-a)/t/s*100}') %"
kill $pid; wait $pid 2>/dev/null
sleep 1
o2=$(osd_pid)
echo "display program after the utility quit: ${o2:-gone}"
[ -n "$o2" ] && kill $o2
exit 0
