#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures start-up under a virtual X server at 1280x1024: the wall-clock time from just before
# the program is started to its first screen being shown (printed by heliora-startup-time),
# repeated, with the median and the fastest run.
#
#   tools/measure-startup.sh [BUILD_DIR] [RUNS]      (defaults: build, 15)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
runs=${2:-15}
program=$build/shell/heliora-startup-time
[ -x "$program" ] || { echo "measure-startup.sh: $program is missing; build it first" >&2; exit 2; }
command -v Xvfb > /dev/null || { echo "measure-startup.sh: Xvfb is missing" >&2; exit 2; }

work=$(mktemp -d)
# The server picks a free display number itself and writes it to the pipe once it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" > /dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2> /dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display")
rm "$work/display"
cp "$root"/data/* "$work/"
cd "$work"
times=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    shown=$("$program" | awk '/^first frame/ { print $3 }')
    [ -n "$shown" ] || { echo "measure-startup.sh: no first frame reported" >&2; exit 1; }
    times+=($(( (shown - start) / 1000000 )))
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "start-up ms: ${times[*]}"
echo "median $(echo "$sorted" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }') ms," \
     "fastest $(echo "$sorted" | head -1) ms"
