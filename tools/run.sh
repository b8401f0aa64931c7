#!/usr/bin/env bash
# Installs what is missing, builds Heliora and runs it in run/ (seeded from data/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
tools/setup.sh
cmake -S . -B build -G Ninja -DHELIORA_TESTS=OFF >/dev/null
cmake --build build
mkdir -p run
for f in data/*; do
  [ -e "run/$(basename "$f")" ] || cp "$f" run/
done
cd run
if [ -x ../build/shell/heliora ]; then
  exec ../build/shell/heliora
fi
# Until the window exists: one model year of Earth Normal at the home latitude.
home=$(../build/tools/heliora-config/heliora-config show hlra_cfg.bin | sed -n 's/^home latitude: *\(-\?[0-9]*\).*/\1/p')
exec ../build/tools/heliora-model/heliora-model --tilt 23.5 --shape 0.02 --lat "${home:-40}" --format table
