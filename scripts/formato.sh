#!/usr/bin/env bash
# Formats every C++ source of the repository with its .clang-format style.
# With --revisar, changes nothing and fails when a file is not formatted (what the test command runs).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t fuentes < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--revisar" ]]; then
  if ! clang-format --dry-run -Werror "${fuentes[@]}"; then
    echo "Some files are not formatted: run scripts/formato.sh and commit the result." >&2
    exit 1
  fi
else
  clang-format -i "${fuentes[@]}"
fi
