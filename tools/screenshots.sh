#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the screens for the documentation into docs/screenshots/: the main screen in each of
# the three Earth views at days 0, 90, 180 and 270, paused, at 1024x768 and 800x600; then the
# settings and explanation screens (Select Latitudes at both sizes, the others at 1024x768).
#
#   tools/screenshots.sh [BUILD_DIR]     (default: build)
#
# Runs the real program without a window through heliora-replay. A shot named
# main-<view>-d<day>-<width>.png shows the pictures for that day: the replay lets the
# animation run day+1 frames (the frame for `day` is the last one drawn), then clicks Pause
# and moves the pointer onto the Earth picture, whose help text is the view's legend.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
replay=$build/tools/heliora-replay/heliora-replay
config=$build/tools/heliora-config/heliora-config
for tool in "$replay" "$config"; do
    if [ ! -x "$tool" ]; then
        echo "screenshots.sh: $tool is missing; build it first (ninja -C $build heliora-replay heliora-config)" >&2
        exit 2
    fi
done

out=$root/docs/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Button centres in the 1024 x 768 design space.
pause="140 316"
neutral="600 370"

for width in 1024 800; do
    wd=$work/run-$width
    mkdir -p "$wd"
    cp "$root/data/newcoast.txt" "$root/data/coast5.bin" "$wd/"
    "$config" write "$wd/hlra_cfg.bin" --home-latitude 40 --logbook on --main-delay 40 \
        --tilt-delay 30 --day-length-delay 60 --orbit-energy-delay 30 --season-length-delay 30 \
        --display-mode "$width"
    for view in temperature:112:129 energy:112:174 daylight:112:219; do
        name=${view%%:*}
        xy=${view#*:}
        x=${xy%%:*}
        y=${xy#*:}
        for day in 0 90 180 270; do
            script=$work/$name-$day-$width.txt
            {
                echo "click $x $y"
                echo "idle $((day + 1))"
                echo "click $pause"
                echo "move $neutral"
                echo "shot main-$name-d$day-$width.png"
            } > "$script"
            "$replay" --workdir "$wd" --script "$script" --out "$out" > /dev/null
        done
    done
done

# Select Latitudes with the home latitude (40º N) and 15º S on, and the notice a third
# latitude (45º N) brings.
for width in 1024 800; do
    wd=$work/run-$width
    script=$work/select-latitudes-$width.txt
    printf '%s\n' "click 537 33" "idle 2" "click 910 377" "click 400 245" "move 600 700" \
        "idle 2" "shot select-latitudes-$width.png" > "$script"
    "$replay" --workdir "$wd" --script "$script" --out "$out" > /dev/null
done

# The latitude zones screen, reached through Select Latitudes, with the Tropical zone chosen
# and the pointer on it.
printf '%s\n' "click 537 33" "idle 1" "click 140 624" "idle 2" \
    "expect-screen 9" "click 325 439" "idle 1" "shot latitude-zones-1024.png" > "$work/zones.txt"
"$replay" --workdir "$work/run-1024" --script "$work/zones.txt" --out "$out" > /dev/null

# Change Shape stretched to 0.50 (ten presses of Make Orbit Stretched), at 1024x768 only.
script=$work/change-shape.txt
{
    echo "click 420 33"
    echo "idle 2"
    for i in 1 2 3 4 5 6 7 8 9 10; do echo "click 563 504"; done
    echo "move 600 370"
    echo "idle 2"
    echo "shot change-shape-1024.png"
} > "$script"
"$replay" --workdir "$work/run-1024" --script "$script" --out "$out" > /dev/null

# Change Tilt, the pointer on the blue curve (the arc shown highlighted).
printf '%s\n' "click 300 33" "idle 5" "move 339 299" "idle 3" "shot change-tilt-1024.png" \
    > "$work/change-tilt.txt"
"$replay" --workdir "$work/run-1024" --script "$work/change-tilt.txt" --out "$out" > /dev/null

# The three tilt explanation screens, from Change Tilt's question buttons: the sunlight
# intensity and day length screens as they open, the Sun angle screen with its angles shown.
for shot in tilt-intensity:"863 306":3:"600 700" tilt-day-length:"863 506":13:"810 300" \
            sun-angle:"863 406":1:"700 500"; do
    name=${shot%%:*}
    rest=${shot#*:}
    button=${rest%%:*}
    rest=${rest#*:}
    steps=${rest%%:*}
    pointer=${rest#*:}
    extra=""
    [ "$name" = sun-angle ] && extra="click 425 200"
    printf 'idle 2\nclick 305 33\nidle 2\nclick %s\nidle 1\n%s\nidle %s\nmove %s\nshot %s-1024.png\n' \
        "$button" "$extra" "$steps" "$pointer" "$name" > "$work/$name.txt"
    "$replay" --workdir "$work/run-1024" --script "$work/$name.txt" --out "$out" > /dev/null
done

# The orbit-shape explanation screens, reached through Change Shape, at 1024x768: the solar
# energy screen with the very elliptical orbit 20 steps past perihelion, the season length
# screen with the elliptical orbit; the pointer rests on each orbit picture.
script=$work/orbit-shape.txt
{
    echo "click 420 33"
    echo "idle 1"
    echo "click 863 346"
    echo "click 125 474"
    echo "idle 21"
    echo "move 390 360"
    echo "shot orbit-energy-1024.png"
    echo "click 420 33"
    echo "click 863 501"
    echo "click 125 409"
    echo "idle 61"
    echo "move 625 300"
    echo "shot season-length-1024.png"
} > "$script"
"$replay" --workdir "$work/run-1024" --script "$script" --out "$out" > /dev/null
# The keys panel F1 opens, over the main screen, paused.
printf '%s\n' "idle 3" "click $pause" "key F1" "idle 1" "shot keys-panel-1024.png" > "$work/keys.txt"
"$replay" --workdir "$work/run-1024" --script "$work/keys.txt" --out "$out" > /dev/null
echo "screenshots.sh: $(ls "$out"/*.png | wc -l) pictures in $out"
