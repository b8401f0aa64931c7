#!/bin/sh
# Renders the main screen for the documentation: each of the three Earth views at days 0, 90,
# 180 and 270, paused, at 1024x768 and 800x600, into docs/screenshots/; and the two tilt
# explanation screens at 1024x768 as they open (Earth Normal tilt, northern winter; the day
# length screen at 45 N with its clock at noon).
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

# The tilt screens, from Change Tilt. The button to each is clicked where Change Tilt has it
# and then where its stand-in had it: on whichever screen runs, the other click finds no button.
wd=$work/run-1024
for shot in tilt-intensity:"863 306":"302 392":3:"600 700" \
            tilt-day-length:"863 506":"512 392":13:"810 300"; do
    name=${shot%%:*}
    rest=${shot#*:}
    first=${rest%%:*}
    rest=${rest#*:}
    second=${rest%%:*}
    rest=${rest#*:}
    steps=${rest%%:*}
    pointer=${rest#*:}
    script=$work/$name.txt
    printf 'idle 2\nclick 305 33\nidle 2\nclick %s\nidle 2\nclick %s\nidle %s\nmove %s\nshot %s-1024.png\n' \
        "$first" "$second" "$steps" "$pointer" "$name" > "$script"
    "$replay" --workdir "$wd" --script "$script" --out "$out" > /dev/null
done
echo "screenshots.sh: $(ls "$out"/main-*.png "$out"/tilt-*.png | wc -l) pictures in $out"
