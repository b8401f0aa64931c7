#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program: `cmake --install` into a scratch prefix, then one check per mode.
#   install_test.sh MODE BUILD_DIR WORK_DIR
#   install   install into WORK_DIR/prefix and check every file is in place
#   desktop   desktop-file-validate on the menu entry
#   metainfo  appstreamcli validate --no-net on the AppStream metainfo
#   man       each manual page renders with man -l, without warnings
#   run       the installed heliora and heliora-replay, with a fresh $XDG_DATA_HOME
#   deb       cpack -G DEB, then lintian: no errors, and the Depends the program needs
# Exit status 77 (skipped) when the checker a mode needs is missing.
set -u
mode=$1 build=$2 work=$3
p=$work/prefix
fail() { echo "FAIL: $*"; exit 1; }
need() { command -v "$1" >/dev/null || { echo "$1 missing: skipped"; exit 77; }; }

case $mode in
install)
  rm -rf "$work" && mkdir -p "$work" || exit 1
  cmake --install "$build" --prefix "$p" >/dev/null || fail "cmake --install"
  for f in bin/heliora bin/heliora-config bin/heliora-model bin/heliora-replay \
           share/heliora/hlra_cfg.bin share/heliora/newcoast.txt share/heliora/coast5.bin \
           share/applications/heliora.desktop share/metainfo/org.example.heliora.metainfo.xml \
           share/man/man6/heliora.6.gz share/doc/heliora/copyright; do
    [ -s "$p/$f" ] || fail "$f is missing"
  done
  for n in 48 64 128 256; do
    f=$p/share/icons/hicolor/${n}x$n/apps/heliora.png
    file "$f" | grep -q "PNG image data, $n x $n" || fail "$f: $(file "$f")"
  done
  ;;
desktop)
  need desktop-file-validate
  out=$(desktop-file-validate "$p/share/applications/heliora.desktop" 2>&1) || fail "$out"
  [ -z "$out" ] || fail "$out"
  ;;
metainfo)
  need appstreamcli
  appstreamcli validate --no-net "$p/share/metainfo/org.example.heliora.metainfo.xml" || fail metainfo
  ;;
man)
  need man
  for page in "$p"/share/man/man*/*; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
    MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q "EXIT STATUS" || fail "$page: no EXIT STATUS"
  done
  ;;
run)
  export XDG_DATA_HOME=$work/xdg HOME=$work/home
  rm -rf "$XDG_DATA_HOME" "$HOME" "$work/out" && mkdir -p "$HOME" "$work/out" || exit 1
  "$p/bin/heliora" --help | grep -q -- --workdir || fail "heliora --help"
  version=$("$p/bin/heliora" --version) || fail "heliora --version"
  v=${version#heliora }
  zcat "$p/share/man/man6/heliora.6.gz" | grep -q "^\.TH HELIORA 6 .*\"Heliora $v\"" ||
    fail "the manual page is not of version $v"
  grep -q "<release version=\"$v\"" "$p/share/metainfo/org.example.heliora.metainfo.xml" ||
    fail "the metainfo has no release $v"
  "$p/bin/heliora" --no-such-option 2>/dev/null; [ $? -eq 2 ] || fail "a wrong option must end with 2"

  # First start without --workdir: the per-user folder is made and given the shipped files.
  cd "$work" || exit 1
  printf 'idle 3\nexpect-screen 1\nstate first.json\n' > first.txt
  "$p/bin/heliora-replay" --script first.txt --out out || fail "first start"
  wd=$XDG_DATA_HOME/heliora
  for f in hlra_cfg.bin newcoast.txt coast5.bin; do
    cmp -s "$p/share/heliora/$f" "$wd/$f" || fail "$wd/$f differs from the shipped file"
  done
  grep -q '"screen": 1' out/first.json || fail "not on the main screen: $(cat out/first.json)"
  [ -e "$wd/logbook.bin" ] || fail "no logbook.bin in $wd"
  [ -z "$(ls "$HOME")" ] || fail "files outside \$XDG_DATA_HOME: $(ls "$HOME")"

  # The user's configuration survives the next start; a deleted shipped file comes back.
  "$p/bin/heliora-config" write "$wd/hlra_cfg.bin" --home-latitude -33 --logbook on >/dev/null ||
    fail "heliora-config"
  cp "$wd/hlra_cfg.bin" own.bin && rm "$wd/coast5.bin"
  printf 'idle 3\nstate second.json\n' > second.txt
  "$p/bin/heliora-replay" --workdir "$wd" --script second.txt --out out || fail "second start"
  XDG_DATA_HOME=$XDG_DATA_HOME "$p/bin/heliora-replay" --script second.txt --out out ||
    fail "third start"
  cmp -s own.bin "$wd/hlra_cfg.bin" || fail "the user's configuration was replaced"
  [ -s "$wd/coast5.bin" ] || fail "coast5.bin was not copied again"
  grep -q '"latitude": \[-33' out/second.json || fail "the own configuration unused"

  # The launcher itself, with a fresh folder given by $XDG_DATA_HOME: without a display (or on
  # SDL's driver that draws nowhere) it makes and fills the folder, then refuses to start with
  # one line and status 1; on a private virtual screen it starts and ends in order on SIGTERM.
  export XDG_DATA_HOME=$work/xdg-launcher
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy "$p/bin/heliora" --window 2>&1)
  status=$?
  [ $status -eq 1 ] || fail "heliora without a display ended with $status"
  [ "$(printf '%s\n' "$said" | wc -l)" -eq 1 ] && case $said in *"no display"*) ;; *) false ;; esac ||
    fail "heliora without a display said: $said"
  if command -v Xvfb >/dev/null; then
    "$(dirname "$0")/../support/with_xvfb.sh" bash -c '
      "$1" --window & pid=$!
      for i in $(seq 1 600); do  # the logbook is cleaned after SDL has set its signal handlers
        [ -e "$XDG_DATA_HOME/heliora/logbook.bin" ] && break
        kill -0 $pid 2>/dev/null || break
        sleep 0.05
      done
      sleep 0.5
      kill -TERM $pid 2>/dev/null
      wait $pid' launcher "$p/bin/heliora"
    status=$?
    [ $status -eq 0 ] || fail "heliora ended with $status"
  fi
  cmp -s "$p/share/heliora/hlra_cfg.bin" "$XDG_DATA_HOME/heliora/hlra_cfg.bin" ||
    fail "the launcher did not fill its folder"
  # A damaged configuration in the folder makes way for the shipped one, kept beside it.
  printf 'short' > "$XDG_DATA_HOME/heliora/hlra_cfg.bin"
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$p/bin/heliora" 2>&1)
  case $said in *"hlra_cfg.bin was damaged (it holds 5 bytes"*) ;; *) fail "said: $said" ;; esac
  cmp -s "$p/share/heliora/hlra_cfg.bin" "$XDG_DATA_HOME/heliora/hlra_cfg.bin" ||
    fail "the shipped configuration was not put back"
  [ "$(cat "$XDG_DATA_HOME/heliora/hlra_cfg.bin.damaged")" = short ] || fail "the damaged one is lost"
  ;;
deb)
  need lintian
  need dpkg-shlibdeps
  rm -rf "$work/deb"
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
  deb=$(ls "$work"/deb/heliora_*.deb) || fail "no .deb made"
  depends=$(dpkg-deb -f "$deb" Depends)
  for d in fonts-liberation2 libsdl2 libfreetype libpng; do
    case $depends in *$d*) ;; *) fail "Depends lacks $d: $depends" ;; esac
  done
  dpkg-deb -c "$deb" | grep -q ' ./usr/share/applications/heliora.desktop$' || fail "no menu entry"
  report=$(lintian "$deb" 2>&1)
  echo "$report"
  ! grep -q '^E:' <<<"$report" || fail "lintian reports errors"
  ;;
*) echo "unknown mode $mode"; exit 2 ;;
esac
echo "$mode: ok"
