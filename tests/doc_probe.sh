#!/usr/bin/env bash
# The docs' check on a copy of the pages with one line added to the README, or
# one option taken out of every page: a stale name is refused, and only it.
# usage: doc_probe.sh ROOT GLOUTON GLOUTON_SIM GLOUTON_BOARD
set -uo pipefail
root=${1:?usage: doc_probe.sh ROOT GLOUTON GLOUTON_SIM GLOUTON_BOARD}
programs=("${2:?}" "${3:?}" "${4:?}")
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
# The tree as git has it, but the pages, which each row changes.
for entry in $(git -C "$root" ls-files 2>/dev/null | sed 's|/.*||' | sort -u || ls "$root" | grep -v '^build'); do
  case $entry in
  README.md | docs) cp -r "$root/$entry" "$copy/" ;;
  *) ln -s "$root/$entry" "$copy/" ;;
  esac
done

bad=0
while read -r verdict how name; do
  if [ "$how" = added ]; then
    printf '\n`%s`\n' "$name" >>"$copy/README.md"
  else
    sed -i "s/$name\b//g" "$copy/README.md" "$copy"/docs/*.md
  fi
  out=$(bash "$(dirname "$0")/doc_check.sh" "$copy" "${programs[@]}")
  rc=$?
  fails=$(grep -c '^FAIL' <<<"$out")
  key=${name##* }
  if [ "$verdict" = refused ]; then
    [[ $rc -ne 0 && $fails -eq 1 && "$out" == *"FAIL: "*"$key"* ]] && ok=1 || ok=0
  else
    [[ $rc -eq 0 ]] && ok=1 || ok=0
  fi
  [ "$ok" -eq 1 ] || { echo "FAIL: $how '$name' should be $verdict; the check said:"; echo "$out"; bad=1; }
  cp "$root/README.md" "$copy/README.md"
  cp "$root"/docs/*.md "$copy/docs/"
done <<'ROWS'
refused added  make no-such-target
refused added  build/glouton-sim --no-such-option
refused added  src/no/such/file.cpp
refused hidden --deadline
kept    added  make web-size
kept    added  glouton-board --port 0
ROWS
[ "$bad" -eq 0 ] && echo "a stale target, option and path refused, an option of --help left unnamed refused; true names kept"
exit "$bad"
