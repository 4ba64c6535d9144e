#!/usr/bin/env bash
# Fails, naming each file, when clang-format would change a tracked C++ file.
#   bash tools/check-format.sh        check
#   bash tools/check-format.sh --fix  rewrite the files in place
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
command -v clang-format >/dev/null || { echo "check-format: clang-format is missing" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
if [[ ${1:-} == --fix ]]; then
    clang-format -i "${files[@]}"
    exit 0
fi
bad=0
for file in "${files[@]}"; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "check-format: $file is not formatted (bash tools/check-format.sh --fix)" >&2
        bad=1
    fi
done
[[ $bad -eq 0 ]] && echo "check-format: ${#files[@]} files formatted"
exit $bad
