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
exec ../build/shell/heliora
