#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures how much of a core the real program uses on each screen, under a virtual X server
# at 1280x1024 (HELIORA_MEASURE_SCREEN=WxH for another size): it starts the program, walks to the screen with clicks and keys, lets it
# settle, and reads the process's own CPU time (utime + stime of /proc/PID/stat) over a span.
# The machine may be busy with other work, so each screen is measured several times and the
# median is printed, with the X server's share over the same spans beside it.
#
#   tools/measure-idle.sh [BUILD_DIR] [REPEATS] [SECONDS] [SCREEN...]
#
# BUILD_DIR defaults to build, REPEATS to 3, SECONDS to 10; SCREEN names one of the list below
# (default: all). Needs Xvfb and xdotool.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
repeats=${2:-3}
span=${3:-10}
shift $(( $# < 3 ? $# : 3 ))
program=$build/shell/heliora
[ -x "$program" ] || { echo "measure-idle.sh: $program is missing; build it first" >&2; exit 2; }
for tool in Xvfb xdotool; do
    command -v $tool > /dev/null || { echo "measure-idle.sh: $tool is missing" >&2; exit 2; }
done

# Screens: name, then the steps that reach it from the main screen. "C X Y" clicks at X,Y of
# the 1024x768 design space, "K NAME" presses a key, "W S" waits S seconds.
screens=(
    "main|"
    "paused|C 140 316"
    "change-tilt|C 305 33"
    "change-shape|C 420 33"
    "select-latitudes|C 537 33"
    "explain-3|C 305 33;W 0.5;C 863 306"
    "explain-4|C 305 33;W 0.5;C 863 406"
    "explain-13|C 305 33;W 0.5;C 863 506"
    "explain-6|C 420 33;W 0.5;C 863 346;W 0.5;C 125 474"
    "explain-7|C 420 33;W 0.5;C 863 501;W 0.5;C 125 409"
    "explain-9|C 537 33;W 0.5;C 140 624"
    "logbook|C 875 33"
    "about|C 60 753"
    "keys-panel|K F1"
)

work=$(mktemp -d)
# The server picks a free display number itself and writes it to the pipe.
screen=${HELIORA_MEASURE_SCREEN:-1280x1024}
sw=${screen%x*} sh=${screen#*x}
Xvfb -displayfd 3 -screen 0 "${sw}x${sh}x24" -nolisten tcp 3> "$work/display" > /dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2> /dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display")
for _ in $(seq 50); do xdotool getmouselocation > /dev/null 2>&1 && break; sleep 0.1; done

# The canvas is letterboxed into the full-screen window: at 1280x1024, 1280x960 32 rows down.
if (( sw * 3 <= sh * 4 )); then bw=$sw bh=$(( sw * 3 / 4 )); else bh=$sh bw=$(( sh * 4 / 3 )); fi
ox=$(( (sw - bw) / 2 )) oy=$(( (sh - bh) / 2 ))
click() { xdotool mousemove $(( ox + $1 * bw / 1024 )) $(( oy + $2 * bh / 768 )) click 1; }

cputicks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

measure() {  # steps -> "PROGRAM/XSERVER" CPU percent of one core over the span
    local steps=$1 run=$work/run
    rm -rf "$run"
    mkdir -p "$run"
    cp "$root"/data/* "$run/"
    (cd "$run" && exec "$program") > /dev/null 2>&1 &
    local pid=$!
    sleep 2
    xdotool mousemove $(( sw - 10 )) $(( sh - 24 ))  # off the controls: no hover changes the picture
    IFS=';' read -ra list <<< "$steps"
    for s in "${list[@]}"; do
        set -- $s
        case $1 in
            C) click "$2" "$3" ;;
            K) xdotool key "$2" ;;
            W) sleep "$2" ;;
        esac
    done
    xdotool mousemove $(( sw - 10 )) $(( sh - 24 ))
    sleep 2
    local hz t0 t1 x0 x1
    hz=$(getconf CLK_TCK)
    t0=$(cputicks $pid 2> /dev/null || echo gone)
    x0=$(cputicks $xvfb)
    [ "$t0" = gone ] && { echo "ended/-"; return; }
    sleep "$span"
    t1=$(cputicks $pid 2> /dev/null || echo gone)
    x1=$(cputicks $xvfb)
    kill $pid 2> /dev/null || true
    wait $pid 2> /dev/null || true
    if [ "$t1" = gone ]; then echo "ended/-"; return; fi  # the program ended: no figure
    awk -v a="$t0" -v b="$t1" -v c="$x0" -v d="$x1" -v hz="$hz" -v s="$span" \
        'BEGIN { printf "%.1f/%.1f", (b - a) * 100 / hz / s, (d - c) * 100 / hz / s }'
}

median() {  # of the numbers among the words; "-" when there are none
    tr ' ' '\n' | grep -E '^[0-9.]+$' | sort -g |
        awk '{ v[NR] = $1 } END { print NR ? v[int((NR + 1) / 2)] : "-" }'
}
column() { tr ' ' '\n' | cut -d/ -f"$1" | tr '\n' ' '; }

printf '%-18s %8s %8s   %s\n' screen program X-server "runs (program/X server)"
for entry in "${screens[@]}"; do
    name=${entry%%|*}
    steps=${entry#*|}
    if [ $# -gt 0 ]; then
        wanted=no
        for w in "$@"; do [ "$w" = "$name" ] && wanted=yes; done
        [ $wanted = yes ] || continue
    fi
    runs=()
    for _ in $(seq "$repeats"); do runs+=("$(measure "$steps")"); done
    printf '%-18s %7s%% %7s%%   %s\n' "$name" "$(echo "${runs[*]}" | column 1 | median)" \
        "$(echo "${runs[*]}" | column 2 | median)" "${runs[*]}"
done
