#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the site's version into its service worker, with the list of files to keep offline,
# and the files' sizes into the start-up script (for the loading bar).
#
#   tools/stamp-site.sh SITE_DIR        (build-web/site)
#
# The version is a hash of every file but the worker itself: any change to the site makes a
# new worker, which replaces the cached copy on the next visit.
set -eu
site=${1:?usage: stamp-site.sh SITE_DIR}
cd "$site"
for f in sw.js start.js index.html; do
    [ -f "$f" ] || { echo "stamp-site.sh: $site/$f is missing" >&2; exit 2; }
done
files=$(find . -type f ! -name sw.js ! -name '.*' | sed 's|^\./||' | LC_ALL=C sort)
version=$(for f in $files; do sha256sum "$f"; done | sha256sum | cut -c1-16)
list=""
sizes=""
for f in $files; do
    case $f in *[\"\\\ ]*) echo "stamp-site.sh: odd file name: $f" >&2; exit 2 ;; esac
    list="$list${list:+, }\"$f\""
    sizes="$sizes${sizes:+, }\"$f\": $(wc -c < "$f" | tr -d ' ')"
done
tmp=$(mktemp)
sed -e "s|^var VERSION = .*// @version\$|var VERSION = '$version'; // @version|" \
    -e "s|^var FILES = .*// @files\$|var FILES = [$list]; // @files|" sw.js > "$tmp"
cat "$tmp" > sw.js
sed -e "s|^  var SITE = .*// @site\$|  var SITE = {\"version\": \"$version\", \"sizes\": {$sizes}}; // @site|" \
    start.js > "$tmp"
cat "$tmp" > start.js
rm -f "$tmp"
grep -q "'$version'" sw.js && grep -q "\"$version\"" start.js || {
    echo "stamp-site.sh: the version marks in sw.js or start.js are missing" >&2; exit 1; }
echo "stamp-site.sh: site version $version, $(echo "$files" | wc -l) files"
