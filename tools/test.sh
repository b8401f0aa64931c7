#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test twice: once with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), then plainly (build-test/);
# then builds the web version (build-web/site) and tests it in headless Chromium against the
# plain build's heliora-replay. HELIORA_WEB=OFF leaves the web version out.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
tools/setup.sh --tests
jobs=$(nproc)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
echo "== sanitizer build (build-asan) =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHELIORA_SANITIZE=ON -DHELIORA_TESTS=ON >/dev/null
cmake --build build-asan
ctest --test-dir build-asan -j "$jobs" --output-on-failure
echo "== plain build (build-test) =="
cmake -S . -B build-test -G Ninja -DHELIORA_TESTS=ON >/dev/null
cmake --build build-test
ctest --test-dir build-test -j "$jobs" --output-on-failure
echo "== web build and browser tests (build-web) =="
if [ "${HELIORA_WEB:-ON}" = OFF ]; then
  echo "The web version is turned off (HELIORA_WEB=OFF): no web build, no browser tests."
  exit 0
fi
tools/build-web.sh
npm ci --no-audit --no-fund --loglevel=error
HELIORA_SITE="$top/build-web/site" HELIORA_REPLAY="$top/build-test/tools/heliora-replay/heliora-replay" \
  HELIORA_MODEL="$top/build-test/tools/heliora-model/heliora-model" \
  node --test --test-concurrency=1 tests/web/
