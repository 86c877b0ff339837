#!/bin/bash
# Every include of src/ stays in its layer: no path climbs with `..`, and a
# folder's files include only the folders its layer reaches (the map the
# build writes, one layer a line: its folder first, then what it may
# include). A program's main() and the folders of no layer (web, windows)
# stand on top of every layer. usage: layers_check.sh SRC_DIR LAYER_MAP
set -uo pipefail
src=${1:?usage: layers_check.sh SRC_DIR LAYER_MAP}
map=${2:?usage: layers_check.sh SRC_DIR LAYER_MAP}
declare -A reach
while read -r folder rest; do
  [ -n "$folder" ] && reach[$folder]=" $folder $rest "
done <"$map"
[ "${#reach[@]}" -gt 0 ] || { echo "FAIL: no layer in $map"; exit 1; }

bad=0
while IFS= read -r file; do
  rel=${file#"$src"/}
  folder=${rel%%/*}
  while IFS=: read -r line include; do
    path=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$include")
    if [[ "$path" == *..* || "$path" == ./* || "$path" == /* ]]; then
      echo "FAIL: $rel:$line: #include \"$path\" climbs out of its folder"
      bad=1
    elif [[ "$path" == */* && -n "${reach[$folder]:-}" && "$(basename "$rel")" != main.cpp ]]; then
      if [[ "${reach[$folder]}" != *" ${path%%/*} "* ]]; then
        echo "FAIL: $rel:$line: #include \"$path\": $folder/ may include only${reach[$folder]% }"
        bad=1
      fi
    fi
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
done < <(find "$src" -name '*.h' -o -name '*.cpp')
[ "$bad" -eq 0 ] && echo "every include of $src stays in its layer (${#reach[@]} layers)"
exit "$bad"
