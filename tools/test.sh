#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: once with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), then plainly (build-test/).
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
