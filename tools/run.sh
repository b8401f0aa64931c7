#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Heliora and runs it in run/ (seeded from data/).
#   tools/run.sh [OPTIONS]              the desktop program; options pass on to it
#   tools/run.sh --web [--port N]       builds the site (build-web/site) and serves it on
#                                       http://127.0.0.1:8080/ (or port N) until Ctrl+C
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
web=0
port=8080
args=()
while [ $# -gt 0 ]; do
  case $1 in
    --web) web=1 ;;
    --port)
      [ $# -ge 2 ] || { echo "run.sh: --port needs a number" >&2; exit 2; }
      port=$2
      shift ;;
    --port=*) port=${1#--port=} ;;
    *) args+=("$1") ;;
  esac
  shift
done
if [ "$web" = 1 ]; then
  case $port in ''|*[!0-9]*) echo "run.sh: --port needs a number, not '$port'" >&2; exit 2 ;; esac
  if [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
    echo "run.sh: --port needs a number from 1 to 65535" >&2
    exit 2
  fi
  tools/build-web.sh
  echo "Heliora is served at http://127.0.0.1:$port/ (Ctrl+C stops it)"
  cd build-web/site
  # python's server knows .wasm as application/wasm; the manifest's type is added here.
  exec python3 -c '
import http.server, sys
handler = http.server.SimpleHTTPRequestHandler
handler.extensions_map.update({".wasm": "application/wasm",
                               ".webmanifest": "application/manifest+json",
                               ".js": "text/javascript"})
http.server.test(HandlerClass=handler, port=int(sys.argv[1]), bind="127.0.0.1")
' "$port"
fi
tools/setup.sh
cmake -S . -B build -G Ninja -DHELIORA_TESTS=OFF >/dev/null
cmake --build build
# The program makes run/ and copies in the files of data/ it lacks; a run's own
# configuration and logbook stay.
exec build/shell/heliora --workdir "$top/run" ${args[@]+"${args[@]}"}
