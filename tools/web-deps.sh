#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds zlib, libpng, FreeType and SDL2 for WebAssembly from Debian's source packages into
# .cache/web-deps/prefix (headers, static libraries, pkg-config files). A library whose stamp
# file is present is not built again; delete .cache/web-deps to start afresh.
# Called by `tools/setup.sh --web`, which installs emscripten first.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cache="$top/.cache/web-deps"
prefix="$cache/prefix"
stamps="$cache/stamps"
src="$cache/src"
mkdir -p "$prefix/lib/pkgconfig" "$prefix/include" "$stamps" "$src"
# Debian's emcc looks for its JavaScript helpers (acorn) there.
export NODE_PATH=/usr/share/nodejs
jobs=$(nproc 2>/dev/null || echo 2)
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

# Source package and the library it gives, in build order (libpng needs zlib).
libraries=(zlib:zlib libpng1.6:libpng freetype:freetype libsdl2:sdl2)
wanted=()
for entry in "${libraries[@]}"; do
  [ -f "$stamps/${entry#*:}" ] || wanted+=("$entry")
done
[ ${#wanted[@]} -eq 0 ] && exit 0

# apt-get source needs a deb-src entry: one of our own, with the URIs and suites of the
# machine's Debian entries, in a file of its own so theirs stay as they are.
has_debian_src() {
  grep -rqsE '^(deb-src[[:space:]].*debian|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}
if ! has_debian_src; then
  stanzas=""
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    stanzas+=$(awk 'BEGIN { RS = ""; FS = "\n" } {
      types = uris = suites = comps = signed = ""
      for (i = 1; i <= NF; i++) {
        if ($i ~ /^Types:/) types = $i
        else if ($i ~ /^URIs:/) uris = $i
        else if ($i ~ /^Suites:/) suites = $i
        else if ($i ~ /^Components:/) comps = $i
        else if ($i ~ /^Signed-By:/) signed = $i
        else if ($i ~ /^Enabled:[[:space:]]*no/) types = ""
      }
      if (types ~ /[: ]deb( |$)/ && uris ~ /debian/) {
        printf "Types: deb-src\n%s\n%s\n%s\n", uris, suites, comps
        if (signed != "") print signed
        print ""
      }
    }' "$f")$'\n'
  done
  lines=$(grep -hE '^deb[[:space:]].*debian' /etc/apt/sources.list 2>/dev/null | sed 's/^deb /deb-src /' || true)
  if [ -n "${stanzas//[$'\n']/}" ]; then
    printf '%s\n' "$stanzas" | $sudo tee /etc/apt/sources.list.d/heliora-src.sources >/dev/null
  fi
  if [ -n "$lines" ]; then
    printf '%s\n' "$lines" | $sudo tee /etc/apt/sources.list.d/heliora-src.list >/dev/null
  fi
  if ! has_debian_src; then
    echo "web-deps: no Debian entry in /etc/apt to copy for deb-src" >&2
    exit 1
  fi
  $sudo apt-get update -qq
fi

# Unpacks a source package into src/ (once) and prints its folder.
unpack() {
  local package=$1
  local dir
  dir=$(find "$src" -maxdepth 1 -mindepth 1 -type d -name "${package}-*" | head -n 1)
  if [ -z "$dir" ]; then
    # The newest version first; a mirror that lacks it (the security archive's sources are
    # not on every mirror) may still hold an earlier one of the same release.
    local fetched=0 version
    for version in "" $(apt-cache showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p' |
                        sort -u | sort -rV); do
      if (cd "$src" && apt-get source -qq "$package${version:+=$version}" >/dev/null \
            2>"$src/$package.log"); then
        fetched=1
        break
      fi
    done
    if [ $fetched -eq 0 ]; then
      cat "$src/$package.log" >&2
      exit 1
    fi
    dir=$(find "$src" -maxdepth 1 -mindepth 1 -type d -name "${package}-*" | head -n 1)
  fi
  echo "$dir"
}

cflags="-O2"

# Compiles C files with emcc into objects in OUT, as many at once as there are cores (an emcc
# run costs far more in start-up than in compiling); object names keep the folders apart.
#   compile_all OUT SOURCE_ROOT "FLAGS" FILE...
compile_all() {
  local out=$1 root=$2 flags=$3
  shift 3
  rm -rf "$out"
  mkdir -p "$out"
  printf '%s\n' "$@" | OUT="$out" ROOT="$root" FLAGS="$flags" xargs -P "$jobs" -I{} sh -c \
    'f="{}"; emcc $FLAGS -c "$f" -o "$OUT/$(echo "${f#$ROOT/}" | tr / _).o"' >"$out.log" 2>&1 || {
    tail -n 30 "$out.log" >&2
    return 1
  }
  [ "$(find "$out" -name '*.o' | wc -l)" -eq $# ]
}

build_zlib() {
  local dir=$1
  # A handful of C files: compiled directly, no configure step that probes the host.
  local files=()
  for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
           inftrees trees uncompr zutil; do
    files+=("$dir/$f.c")
  done
  compile_all "$dir/wasm" "$dir" "$cflags -DHAVE_UNISTD_H" "${files[@]}"
  rm -f "$prefix/lib/libz.a"
  emar rcs "$prefix/lib/libz.a" "$dir"/wasm/*.o
  cp "$dir/zlib.h" "$prefix/include/"
  # As zlib's own configure does: the installed header says what the library was built with.
  sed 's/^#ifdef HAVE_UNISTD_H.*/#if 1/' "$dir/zconf.h" >"$prefix/include/zconf.h"
  cat >"$prefix/lib/pkgconfig/zlib.pc" <<EOF
prefix=$prefix
Name: zlib
Description: zlib compression library
Version: $(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' "$dir/zlib.h")
Libs: -L\${prefix}/lib -lz
Cflags: -I\${prefix}/include
EOF
}

build_libpng() {
  local dir=$1
  # The configuration header Debian's source ships ready-made; no SIMD code on the web.
  cp "$dir/scripts/pnglibconf.h.prebuilt" "$dir/pnglibconf.h"
  local files=()
  for f in png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset \
           pngtrans pngwio pngwrite pngwtran pngwutil; do
    files+=("$dir/$f.c")
  done
  compile_all "$dir/wasm" "$dir" "$cflags -DPNG_ARM_NEON_OPT=0 -DPNG_INTEL_SSE_OPT=0 -I$prefix/include" \
    "${files[@]}"
  rm -f "$prefix/lib/libpng16.a"
  emar rcs "$prefix/lib/libpng16.a" "$dir"/wasm/*.o
  cp "$prefix/lib/libpng16.a" "$prefix/lib/libpng.a"
  cp "$dir/png.h" "$dir/pngconf.h" "$dir/pnglibconf.h" "$prefix/include/"
  cat >"$prefix/lib/pkgconfig/libpng.pc" <<EOF
prefix=$prefix
Name: libpng
Description: Loads and saves PNG files
Version: 1.6
Requires: zlib
Libs: -L\${prefix}/lib -lpng16
Cflags: -I\${prefix}/include
EOF
}

build_freetype() {
  local dir=$1
  # Glyphs of TrueType files only: none of the optional shaping or image helpers. Its gzip
  # reader takes the zlib built above, not a copy of its own whose names would clash.
  emcmake cmake -S "$dir" -B "$dir/wasm" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DZLIB_ROOT="$prefix" \
    -DFT_REQUIRE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >"$dir/wasm.log"
  cmake --build "$dir/wasm" -j "$jobs" >>"$dir/wasm.log"
  cmake --install "$dir/wasm" >>"$dir/wasm.log"
}

build_sdl2() {
  local dir=$1
  local s=$dir/src
  # SDL carries its own configuration for this target (include/SDL_config_emscripten.h, which
  # SDL_config.h picks): its sources compile directly, without the few hundred configure
  # checks (an emcc run each) that would make its CMake build the slowest step here.
  local sources=("$s"/*.c "$s"/atomic/*.c "$s"/audio/*.c "$s"/cpuinfo/*.c "$s"/dynapi/*.c
    "$s"/events/*.c "$s"/file/*.c "$s"/haptic/*.c "$s"/joystick/*.c "$s"/libm/*.c "$s"/locale/*.c
    "$s"/misc/*.c "$s"/power/*.c "$s"/render/*.c "$s"/render/*/*.c "$s"/sensor/*.c
    "$s"/stdlib/*.c "$s"/thread/*.c "$s"/timer/*.c "$s"/video/*.c "$s"/video/yuv2rgb/*.c
    "$s"/audio/emscripten/*.c "$s"/audio/disk/*.c "$s"/audio/dummy/*.c
    "$s"/video/emscripten/*.c "$s"/video/dummy/*.c "$s"/joystick/emscripten/*.c
    "$s"/power/emscripten/*.c "$s"/filesystem/emscripten/*.c "$s"/locale/emscripten/*.c
    "$s"/misc/emscripten/*.c "$s"/timer/unix/*.c "$s"/loadso/dlopen/*.c "$s"/haptic/dummy/*.c
    "$s"/sensor/dummy/*.c "$s"/thread/generic/*.c)
  compile_all "$dir/wasm" "$dir" "-O2 -w -I$dir/include" "${sources[@]}"
  rm -f "$prefix/lib/libSDL2.a"
  emar rcs "$prefix/lib/libSDL2.a" "$dir"/wasm/*.o
  mkdir -p "$prefix/include/SDL2"
  cp "$dir"/include/*.h "$prefix/include/SDL2/"
  cat >"$prefix/lib/pkgconfig/sdl2.pc" <<EOF
prefix=$prefix
Name: sdl2
Description: Simple DirectMedia Layer, for WebAssembly
Version: $(basename "$dir" | sed 's/^libsdl2-//; s/+.*//')
Libs: -L\${prefix}/lib -lSDL2
Cflags: -I\${prefix}/include/SDL2
EOF
}

failed=""
trap '[ -n "$failed" ] && { [ -f "$failed/wasm.log" ] && tail -n 30 "$failed/wasm.log"; echo "web-deps: building from $failed failed" ; } >&2' EXIT
for entry in "${wanted[@]}"; do
  package=${entry%%:*}
  name=${entry#*:}
  start=$(date +%s)
  dir=$(unpack "$package")
  [ -d "$dir" ] || exit 1
  echo "web-deps: building $name from $(basename "$dir")"
  failed=$dir
  "build_$name" "$dir"  # not in a condition: a failing step stops the script
  failed=""
  basename "$dir" >"$stamps/$name"
  echo "web-deps: $name done in $(( $(date +%s) - start )) s"
done
