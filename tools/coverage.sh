#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Line coverage of the program's own code (not tests, tools, bench or fuzz) by the unit and
# replay tests: builds BUILD_DIR (default build-cov) with --coverage, runs the tests except
# the slow whole-program runs, and prints the overall figure and one per program folder.
# Usage: tools/coverage.sh [BUILD_DIR]      (needs the Debian package lcov)
# Leaves BUILD_DIR/coverage.info for genhtml.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$top/build-cov}")
folders="platform config model resources graphics logbook widgets navbar settings simulation explain logbook_screen shell"
exclude="monkey|end_to_end|dist_install"

command -v lcov >/dev/null || { echo "coverage.sh: lcov is missing (apt-get install lcov)" >&2; exit 1; }
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S "$top" -B "$build" -G Ninja -DHELIORA_TESTS=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_C_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage \
    "${launcher[@]}" >/dev/null
fi
nice cmake --build "$build"
lcov --quiet --zerocounters --directory "$build"
ctest --test-dir "$build" -E "$exclude" -j "$(nproc)" --output-on-failure >"$build/coverage-ctest.log" 2>&1 ||
  { tail -n 30 "$build/coverage-ctest.log"; echo "coverage.sh: some tests failed (see $build/coverage-ctest.log)" >&2; }
lcov --quiet --capture --directory "$build" --output-file "$build/coverage-all.info" 2>/dev/null
patterns=()
for f in $folders; do patterns+=("$top/$f/*"); done
lcov --quiet --extract "$build/coverage-all.info" "${patterns[@]}" --output-file "$build/coverage.info"

# One line per folder: lines hit of lines found, then the whole.
awk -v top="$top/" -v folders="$folders" '
  BEGIN { n = split(folders, order, " ") }
  /^SF:/ { f = substr($0, 4); sub(top, "", f); sub(/\/.*/, "", f) }
  /^LF:/ { found[f] += substr($0, 4) }
  /^LH:/ { hit[f] += substr($0, 4) }
  END {
    for (i = 1; i <= n; i++) { f = order[i]; if (found[f] == 0) continue
      printf "%-16s %6.1f %%  (%d of %d lines)\n", f, 100 * hit[f] / found[f], hit[f], found[f]
      H += hit[f]; F += found[f] }
    printf "%-16s %6.1f %%  (%d of %d lines)\n", "overall", 100 * H / F, H, F
  }' "$build/coverage.info"
