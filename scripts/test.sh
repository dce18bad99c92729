#!/usr/bin/env bash
# Builds everything and runs every test: the README's test command and what CI runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# A source file that is not formatted fails the run before anything is built.
scripts/formato.sh --revisar
cmake --preset debug
cmake --build --preset debug
ctest --preset debug
# Every fuzz target replays its corpus (every crash ever found included) and fuzzes a few seconds.
scripts/fuzz.sh "${TARSA_FUZZ_SEGUNDOS:-3}"
