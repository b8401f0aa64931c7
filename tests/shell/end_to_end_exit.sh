#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program under Xvfb, clicks its Exit button with xdotool and expects it to
# end with status 0 and an empty logbook.bin. Exit status 77 (skipped) without the tools.
#   end_to_end_exit.sh HELIORA DATA_DIR WORK_DIR
set -u
heliora=$1 data=$2 work=$3
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || {
  echo "Xvfb or xdotool missing: skipped"
  exit 77
}
with_xvfb=$(cd "$(dirname "$0")/../support" && pwd)/with_xvfb.sh
rm -rf "$work" && mkdir -p "$work" && cp "$data"/* "$work"/ || exit 1
cd "$work" || exit 1

# Runs inside the virtual screen: start, wait for the window, click Exit until it ends.
inner=$(cat <<'INNER'
heliora=$1
"$heliora" & pid=$!
for i in $(seq 1 400); do
  xdotool search --name Heliora >/dev/null 2>&1 && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.05
done
# The 1024 x 768 canvas is scaled to fit the window and centred: Exit's logical point
# (50, 33) lands at offset + (v + 0.5) * scale inside it. The window's size is read again
# before every click, since without a window manager the full-screen size may come late.
exit_point() {
  local wid=$1 w h
  eval "$(xdotool getwindowgeometry --shell "$wid" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
  w=${WIDTH:-1280} h=${HEIGHT:-1024}
  awk -v sw="$w" -v sh="$h" 'BEGIN { cw = 1024; ch = 768;
    s = sw / cw; if (sh / ch < s) s = sh / ch;
    ox = (sw - cw * s) / 2; oy = (sh - ch * s) / 2;
    printf "%d %d\n", ox + (50 + 0.5) * s, oy + (33 + 0.5) * s }'
}
# The first clicks may come before the program is ready for them: click until it has ended,
# nudging the pointer each time so the program sees it move onto the button.
for i in $(seq 1 60); do
  kill -0 $pid 2>/dev/null || break
  wid=$(xdotool search --name Heliora 2>/dev/null | head -n 1)
  [ -n "$wid" ] || { sleep 0.5; continue; }
  read -r x y < <(exit_point "$wid")
  xdotool mousemove --window "$wid" $((x + i % 2)) "$y" click 1 >/dev/null 2>&1
  sleep 0.5
done
if kill -0 $pid 2>/dev/null; then
  echo "the program did not end after the Exit clicks"
  wid=$(xdotool search --name Heliora 2>/dev/null | head -n 1)
  [ -n "$wid" ] && xdotool getwindowgeometry "$wid"
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
size=$(stat -c %s logbook.bin 2>/dev/null || echo missing)
[ "$size" = 0 ] || { echo "logbook.bin after exit: $size"; exit 1; }
exit 0
