#!/usr/bin/env bash
# Checks that every C++ file of the tree is as clang-format (.clang-format)
# lays it out; prints the files that are not. The hand-written runtime in
# crt/ is left out: the order of its includes matters.
# Usage: scripts/check-format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."

format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
    echo "clang-format is not installed (apt-get install clang-format-14)" >&2
    exit 1
fi

mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -v '^crt/')
if [ "${1:-}" = --fix ]; then
    "$format" -i "${files[@]}"
    exit 0
fi
unformatted=()
for file in "${files[@]}"; do
    "$format" --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "Not formatted (scripts/check-format.sh --fix mends them):"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
echo "All ${#files[@]} C++ files are formatted."
