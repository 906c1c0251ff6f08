#!/usr/bin/env bash
# Checks that every C++ file is laid out as .clang-format says; lists the files that are not.
# Where clang-format is not installed the check is skipped with a message (status 0).
# Usage: scripts/check-format.sh [--fix] [FOLDER]   (FOLDER: a checkout, default this one)
set -euo pipefail
fix=no
if [ "${1:-}" = "--fix" ]; then
    fix=yes
    shift
fi
cd "${1:-$(dirname "$0")/..}"
if ! command -v clang-format >/dev/null 2>&1; then
    echo "clang-format is not installed: layout not checked."
    exit 0
fi
mapfile -t files < <(find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)
if [ $fix = yes ]; then
    clang-format -i --style=file "${files[@]}"
    exit 0
fi
bad=()
for file in "${files[@]}"; do
    clang-format --style=file --dry-run --Werror "$file" >/dev/null 2>&1 || bad+=("$file")
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "Not laid out as .clang-format says (scripts/check-format.sh --fix rewrites them):" >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "layout: all ${#files[@]} C++ files as .clang-format says"
