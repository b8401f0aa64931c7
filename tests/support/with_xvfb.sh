#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a private virtual X server whose display number the server picks itself
# (-displayfd): tests started together, or beside another X server, never take the same one.
#   with_xvfb.sh [--screen WxHxD] COMMAND [ARGS...]     (default screen 1280x1024x24)
# Exits with the command's status; 1 when the server could not start.
set -u
screen=1280x1024x24
if [ "${1:-}" = --screen ]; then screen=$2; shift 2; fi
dir=$(mktemp -d) || exit 1
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3> "$dir/display" > "$dir/log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2> /dev/null; wait $xvfb 2> /dev/null; rm -rf "$dir"' EXIT
# The number is written once the server accepts connections.
for _ in $(seq 200); do
  [ -s "$dir/display" ] && break
  kill -0 $xvfb 2> /dev/null || break
  sleep 0.05
done
[ -s "$dir/display" ] || { echo "Xvfb did not start: $(cat "$dir/log")" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$dir/display")
unset WAYLAND_DISPLAY
"$@"
