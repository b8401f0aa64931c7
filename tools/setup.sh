#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Heliora needs that are not installed yet (as root or via sudo).
#   tools/setup.sh          packages to build and run the program
#   tools/setup.sh --tests  also those for the tests, benchmarks, the end-to-end test and the
#                           install test (the desktop-file, AppStream, man page and .deb checkers)
#   tools/setup.sh --fuzz   also clang and its libFuzzer runtime, for the fuzz targets
#   tools/setup.sh --web    also emscripten, node, npm, chromium and fonttools, then builds SDL2,
#                           FreeType, libpng and zlib for WebAssembly from Debian's source
#                           packages into .cache/web-deps/ (tools/web-deps.sh)
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev
          libpng-dev fonts-liberation2)
if [ "${1:-}" = "--tests" ]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool python3
            desktop-file-utils appstream man-db lintian dpkg-dev fakeroot file)
fi
if [ "${1:-}" = "--fuzz" ]; then
  # The sanitizer and libFuzzer runtimes are only a recommendation of clang's.
  packages+=(clang libclang-rt-dev)
fi
if [ "${1:-}" = "--web" ]; then
  # npm and its lock file are for the browser tests; fonttools subsets the packed fonts.
  packages+=(emscripten nodejs chromium python3-fonttools dpkg-dev python3 gzip)
  command -v npm >/dev/null || packages+=(npm)  # some nodejs packages carry their own npm
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ "${1:-}" = "--web" ]; then
  exec "$(dirname "$0")/web-deps.sh"
fi
