#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Heliora for the browser and leaves the finished site in build-web/site/: the page
# (web/), heliora.js, heliora.wasm and heliora.data (the data files and fonts), and the fonts'
# licence. Copying that folder to any static web server publishes it.
#   tools/build-web.sh   installs what is missing (tools/setup.sh --web), configures, builds
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
start=$(date +%s)
tools/setup.sh --web
# Debian's emcc looks for its JavaScript helpers (acorn) there.
export NODE_PATH=/usr/share/nodejs
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f build-web/build.ninja ]; then
  emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
    "${launcher[@]}" >/dev/null
fi
cmake --build build-web --target heliora

site=build-web/site
rm -rf "$site"
mkdir -p "$site/fonts"
if [ -d web ]; then
  cp -R web/. "$site/"
else
  # No page yet: a bare one that only starts the program, for trying the build.
  cat >"$site/index.html" <<'EOF'
<!doctype html>
<html lang="en"><head><meta charset="utf-8"><title>Heliora</title>
<style>body{margin:0;background:#000}canvas{display:block;margin:auto;max-width:100vw;max-height:100vh;aspect-ratio:4/3;image-rendering:pixelated}</style></head>
<body><canvas id="canvas" oncontextmenu="event.preventDefault()"></canvas>
<script src="heliora.js"></script>
<script>createHeliora({canvas: document.getElementById('canvas')});</script>
</body></html>
EOF
fi
cp build-web/shell/heliora.js build-web/shell/heliora.wasm build-web/shell/heliora.data "$site/"
cp build-web/shell/web-fonts/LICENSE "$site/fonts/LICENSE"
# The page's service worker learns the site's version from the finished files.
if [ -x tools/stamp-site.sh ]; then
  tools/stamp-site.sh "$site"
fi
echo "build-web: the site is in $site ($(du -sh "$site" | cut -f1), built in $(( $(date +%s) - start )) s)"
