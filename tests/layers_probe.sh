#!/bin/bash
# The layer check on a copy of the tree with one line added to a frontend's
# file: the game is refused there, quoted or <...>, and the program core kept.
# usage: layers_probe.sh ROOT RULES
set -uo pipefail
root=${1:?usage: layers_probe.sh ROOT RULES}
rules=${2:?usage: layers_probe.sh ROOT RULES}
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
for top in $(sed -e 's/#.*//' "$rules" | awk 'NF { sub("/.*", "", $1); print $1 }' | sort -u); do
  cp -r "$root/$top" "$copy/"
done

bad=0
while read -r file verdict include; do
  echo "$include" >>"$copy/$file"
  line=$(wc -l <"$copy/$file")
  out=$(bash "$(dirname "$0")/layers_check.sh" "$copy" "$rules")
  rc=$?
  fails=$(grep -c '^FAIL' <<<"$out")
  if [ "$verdict" = refused ]; then
    # Refused for that line, and for nothing else.
    [[ $rc -ne 0 && $fails -eq 1 && "$out" == *"FAIL: $file:$line: $include: "* ]] && ok=1 || ok=0
  else
    [[ $rc -eq 0 ]] && ok=1 || ok=0
  fi
  [ "$ok" -eq 1 ] || { echo "FAIL: $file + '$include' should be $verdict; the check said:"; echo "$out"; bad=1; }
  cp "$root/$file" "$copy/$file"
done <<'ROWS'
src/platform/frontend.cpp refused #include "game/form1.h"
src/web/main.cpp          refused #include <game/form1.h>
src/web/main.cpp          kept    #include <program/program.h>
ROWS
[ "$bad" -eq 0 ] && echo "the game refused in a frontend, quoted and <...>; the program core kept"
exit "$bad"
