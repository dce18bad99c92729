#!/usr/bin/env bash
# Builds everything and runs every test: the README's test command and what CI runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset debug
cmake --build --preset debug
ctest --preset debug
