#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program with --window under Xvfb: the window's client area must be
# 1024 x 768; after F11 twice and a resize to 600 x 700 a click on Exit's letterboxed point
# must still end the program with status 0. Exit status 77 (skipped) without the tools.
#   end_to_end_window.sh HELIORA DATA_DIR WORK_DIR
set -u
heliora=$1 data=$2 work=$3
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || {
  echo "Xvfb or xdotool missing: skipped"
  exit 77
}
with_xvfb=$(cd "$(dirname "$0")/../support" && pwd)/with_xvfb.sh
rm -rf "$work" && mkdir -p "$work" && cp "$data"/* "$work"/ || exit 1
cd "$work" || exit 1

inner=$(cat <<'INNER'
heliora=$1
"$heliora" --window & pid=$!
wid=
for i in $(seq 1 400); do
  wid=$(xdotool search --name Heliora 2>/dev/null | head -n 1)
  [ -n "$wid" ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.05
done
[ -n "$wid" ] || { echo "no window"; kill -9 $pid 2>/dev/null; exit 1; }
size() { xdotool getwindowgeometry --shell "$wid" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' '; }
# The program settles its window's size a moment after the window appears (it waits for a
# window manager's frame): give a loaded machine a few seconds.
for i in $(seq 1 50); do
  got=$(size)
  [ "$got" = "WIDTH=1024 HEIGHT=768 " ] && break
  sleep 0.1
done
[ "$got" = "WIDTH=1024 HEIGHT=768 " ] || { echo "window opened as $got"; kill -9 $pid; exit 1; }
# F11 twice gives the window back (without a window manager the screen is not filled, but the
# program must come through both toggles), then the user makes it tall and narrow.
xdotool mousemove --window "$wid" 500 400 windowfocus --sync "$wid" key F11 sleep 0.3 key F11 \
  sleep 0.3 >/dev/null 2>&1
# A slow build may still be answering the second F11 (which gives the window its own size
# back): resize until the size holds.
for i in $(seq 1 20); do
  xdotool windowsize --sync "$wid" 600 700 >/dev/null 2>&1
  sleep 0.3
  got=$(size)
  [ "$got" = "WIDTH=600 HEIGHT=700 " ] && break
done
[ "$got" = "WIDTH=600 HEIGHT=700 " ] || { echo "resized to $got"; kill -9 $pid; exit 1; }
# 600 x 700 shows the canvas at 600 x 450 from y = 125: Exit's logical point (50, 33) is at
# window pixel (50 + 0.5) * 600 / 1024, 125 + (33 + 0.5) * 450 / 768.
x=29 y=144
for i in $(seq 1 40); do
  kill -0 $pid 2>/dev/null || break
  xdotool mousemove --window "$wid" $((x + i % 2)) "$y" click 1 >/dev/null 2>&1
  sleep 0.25
done
if kill -0 $pid 2>/dev/null; then
  echo "the program did not end after the Exit clicks at ($x, $y) in a $(size)window"
  kill -9 $pid
  exit 1
fi
wait $pid
INNER
)
"$with_xvfb" bash -c "$inner" inner "$heliora"
status=$?
echo "heliora ended with status $status"
[ "$status" -eq 0 ] || exit 1
exit 0
