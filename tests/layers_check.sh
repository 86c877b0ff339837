#!/bin/bash
# Every include of the project's own folders keeps to the rules file
# (cmake/layers.txt): a file names in an include, quoted or <...>, only its own
# folder of src/ and the folders its row lists, never a path that climbs with
# `..` or starts at `/`, and a bare quoted name only of a file beside it.
# Includes of anything else (the system's, SDL's, gtest's) are the build's
# business. Every file of the folders the rules name must have a row, and every
# row must name a file or folder that exists.
# usage: layers_check.sh ROOT RULES
set -uo pipefail
root=${1:?usage: layers_check.sh ROOT RULES}
rules=${2:?usage: layers_check.sh ROOT RULES}

declare -A may   # row -> " folder folder ... "
declare -A tops  # the top folders the rules cover
bad=0
fail() {
  echo "FAIL: $*"
  bad=1
}
while read -r row names; do
  [ -n "$row" ] || continue
  may[$row]=" $names "
  tops[${row%%/*}]=1
  [ -e "$root/$row" ] || fail "$rules: row $row names nothing in $root"
done < <(sed -e 's/#.*//' "$rules")
[ "${#may[@]}" -gt 0 ] || { echo "FAIL: no row in $rules"; exit 1; }

# The project's own folders: an include that begins with one of them is ours.
declare -A ours
for dir in "$root"/src/*/ "$root"/tests/*/; do
  [ -d "$dir" ] && ours[$(basename "$dir")]=1
done
for row in "${!may[@]}"; do
  read -ra names <<<"${may[$row]}"
  for name in "${names[@]}"; do
    [[ "$name" == '*' || -n "${ours[$name]:-}" ]] || fail "$rules: row $row names $name, no folder of src/ or tests/"
  done
done

# The row of a file: its own, else its folder's, and so on up.
row_of() {
  local path=$1
  while [ -z "${may[$path]:-}" ] && [[ "$path" == */* ]]; do path=${path%/*}; done
  [ -n "${may[$path]:-}" ] && echo "$path"
}

include='^[[:space:]]*#[[:space:]]*include[[:space:]]*(["<])([^">]*)[">]'
files=0
while IFS= read -r file; do
  rel=${file#"$root"/}
  row=$(row_of "$rel") || { fail "$rel: no row in $rules says what it may include"; continue; }
  allowed=${may[$row]}
  [[ "$rel" == src/*/* ]] && allowed+="$(cut -d/ -f2 <<<"$rel") "
  files=$((files + 1))
  number=0
  while IFS= read -r line; do
    number=$((number + 1))
    [[ "$line" =~ $include ]] || continue
    quote=${BASH_REMATCH[1]} path=${BASH_REMATCH[2]} shown=${BASH_REMATCH[0]#*#}
    if [[ "/$path/" == */../* || "$path" == /* || "$path" == ./* ]]; then
      fail "$rel:$number: #$shown climbs out of its folder"
    elif [[ "$path" != */* ]]; then
      # <name> is the system's; "name" must be beside the file.
      [[ "$quote" == '<' || -e "${file%/*}/$path" ]] || fail "$rel:$number: #$shown is not beside it"
    elif [[ -n "${ours[${path%%/*}]:-}" && "$allowed" != *" * "* && "$allowed" != *" ${path%%/*} "* ]]; then
      fail "$rel:$number: #$shown: $row may include only${allowed% } ($rules)"
    fi
  done <"$file"
done < <(for top in "${!tops[@]}"; do
  find "$root/$top" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.c' -o -name '*.cc' -o -name '*.cpp' \)
done | sort)
[ "$bad" -eq 0 ] && echo "every include of $files files keeps to $rules (${#may[@]} rows)"
exit "$bad"
