#!/usr/bin/env bash
# The tree stays formatted: every C++ file git tracks passes clang-format.
set -u
. "$(dirname "$0")/support/require.sh"
need_tools clang-format
cd "$1" || exit 1
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null) || { echo "SKIP: not a git checkout"; exit 77; }
[ -n "$files" ] || { echo "SKIP: no tracked files"; exit 77; }
# shellcheck disable=SC2086
clang-format --dry-run -Werror $files
