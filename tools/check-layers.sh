#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every include of the program's folders runs down the layers, never up or
# sideways: a folder includes only its own files and those of folders of a lower rank.
# The ranks are the layers of docs/architecture.md; exit 1 names each include that breaks them.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A rank=(
  [platform]=0 [model]=0 [config]=0 [resources]=0
  [graphics]=1 [logbook]=1
  [widgets]=2
  [navbar]=3
  [settings]=4
  [simulation]=5
  [explain]=6 [logbook_screen]=6
  [shell]=7
)
bad=0
for folder in "${!rank[@]}"; do
  [ -d "$folder" ] || continue
  while IFS=: read -r file _ target; do
    used=${target%%/*}
    [ "$used" = "$folder" ] && continue
    if [ -z "${rank[$used]+x}" ]; then
      echo "$file includes $target, a folder outside the program's layers"; bad=1
    elif [ "${rank[$used]}" -ge "${rank[$folder]}" ]; then
      echo "$file includes $target: $used is not below $folder"; bad=1
    fi
  done < <(grep -rnoE '^#include "[a-z_]+/[^"]+"' "$folder" --include='*.cpp' --include='*.h' |
           sed -E 's/#include "([^"]+)"/\1/')
done
exit $bad
