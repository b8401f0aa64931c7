#!/usr/bin/env bash
# Installs what is missing, builds Heliora and runs it in run/ (seeded from data/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
tools/setup.sh
cmake -S . -B build -G Ninja -DHELIORA_TESTS=OFF >/dev/null
cmake --build build
# The program makes run/ and copies in the files of data/ it lacks; a run's own
# configuration and logbook stay.
exec build/shell/heliora --workdir "$top/run" "$@"
