#!/usr/bin/env bash
# Fails when a C++ file differs from the repository's .clang-format.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] && exit 0
clang-format --dry-run -Werror "${files[@]}"
echo "format: ${#files[@]} files follow .clang-format"
