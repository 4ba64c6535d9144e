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
# One clang-format for all files (a process per file costs minutes on a busy
# machine); its messages name each file it would change.
if report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
    echo "check-format: ${#files[@]} files formatted"
    exit 0
fi
mapfile -t bad < <(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' <<<"$report" | cut -d: -f1 | sort -u)
for file in "${bad[@]}"; do
    echo "check-format: $file is not formatted (bash tools/check-format.sh --fix)" >&2
done
[[ ${#bad[@]} -eq 0 ]] && echo "$report" >&2
exit 1
