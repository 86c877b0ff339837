#!/usr/bin/env bash
# The docs stay true: every `make` target, option of glouton, glouton-sim and
# glouton-board, and path of the tree that README.md and docs/*.md name in
# code (backquotes or indented blocks) or in a link exists; and every option
# that a program's --help prints is named in them.
# usage: doc_check.sh ROOT GLOUTON GLOUTON_SIM GLOUTON_BOARD [DOC...]
# (DOC: the pages to read, README.md and docs/*.md by default)
set -uo pipefail
root=${1:?usage: doc_check.sh ROOT GLOUTON GLOUTON_SIM GLOUTON_BOARD [DOC...]}
programs=("${2:?}" "${3:?}" "${4:?}")
shift 4
docs=("$@")
[ ${#docs[@]} -gt 0 ] || docs=("$root/README.md" "$root"/docs/*.md)
bad=0
fail() {
  echo "FAIL: $*"
  bad=1
}

# Each page's code, a line per span or block line, with its page: "PAGE<TAB>CODE".
code() {
  local doc
  for doc in "${docs[@]}"; do
    awk -v page="$doc" '
      /^    / { print page "\t" substr($0, 5); next }
      { line = $0
        while (match(line, /`[^`]+`/)) {
          print page "\t" substr(line, RSTART + 1, RLENGTH - 2)
          line = substr(line, RSTART + RLENGTH)
        } }' "$doc"
  done
}

# make targets: the Makefile's rules, against every "make TARGET" in code.
targets=" $(sed -n 's/^\([a-z][a-z -]*\):.*/\1/p' "$root/Makefile" | tr '\n' ' ') "
while IFS=$'\t' read -r page target; do
  [[ "$targets" == *" $target "* ]] || fail "$page: make $target: no such target in the Makefile"
done < <(code | sed -n 's/^\([^\t]*\)\t.*\bmake \([a-z][a-z-]*\).*/\1\t\2/p' | sort -u)

# Options: what each program's --help prints.
declare -A known
for program in "${programs[@]}"; do
  name=$(basename "$program")
  help=$("$program" --help) || fail "$name --help failed"
  known[$name]=" $(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u | tr '\n' ' ') "
  for option in ${known[$name]}; do
    grep -q -- "$option\b" "${docs[@]}" || fail "$name $option: printed by --help, named in no page"
  done
done
# A command line of one of ours (build/glouton-sim, glouton.exe, ...) up to
# the next pipe, ';' or comment, and every --option on it; a bare `--option`
# of a table or a sentence is any of ours.
while IFS=$'\t' read -r page option; do
  [[ " ${known[*]} " == *" $option "* ]] || fail "$page: $option: none of glouton's programs takes it"
done < <(code | sed -nE 's/^([^\t]*)\t(--[a-z][a-z-]*).*/\1\t\2/p' | sort -u)
while IFS=$'\t' read -r page name rest; do
  for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$rest"); do
    [[ "${known[$name]}" == *" $option "* ]] || fail "$page: $name $option: no such option"
  done
done < <(code | sed -nE 's/^([^\t]*)\t(.*[ \/(])?(glouton(-sim|-board)?)(\.exe)? ([^|;#]*).*/\1\t\3\t\6/p' | sort -u)

# Paths of the tree: a word of code or a link whose first folder is one of
# the tree's top (src/, docs/, tests/, ...), or a link relative to its page.
tops=$(cd "$root" && git ls-files 2>/dev/null | sed -n 's|/.*||p' | sort -u | tr '\n' '|')
# Out of git (a source archive): every folder but the builds'.
[ -n "$tops" ] || tops=$(cd "$root" && ls -d */ | tr -d / | grep -v '^build' | tr '\n' '|')
check_path() {  # PAGE PATH BASE
  local path=${2%%[\#?]*}
  path=${path%[.,:;)]}
  # <size>, <folder>: a placeholder stands for any name.
  [[ "$path" != *"<"* ]] || path=$(sed -E 's/<[^>]+>/*/g' <<<"$path")
  path=${path%/}
  if [[ "$path" == *[*?]* ]]; then
    compgen -G "$3/$path" >/dev/null
  else
    [ -e "$3/$path" ]
  fi || fail "$1: $2: no such file or folder"
}
while IFS=$'\t' read -r page word; do
  check_path "$page" "$word" "$root"
done < <(code | awk -F'\t' -v tops="^(${tops%|})/" '{
  n = split($2, words, /[ \t]+/)
  for (i = 1; i <= n; i++) { w = words[i]; sub(/^[("\047]/, "", w); if (w ~ tops) print $1 "\t" w }
}' | sort -u)
for doc in "${docs[@]}"; do
  for link in $(grep -oE '\]\([^)#:]+[)#]' "$doc" | sed -E 's/^\]\(//; s/[)#]$//'); do
    check_path "$doc" "$link" "$(dirname "$doc")"
  done
done

[ "$bad" -eq 0 ] && echo "every make target, option and path the docs name exists; every option of --help is named"
exit "$bad"
