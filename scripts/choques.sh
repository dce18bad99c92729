#!/bin/sh
# Crash figures: kills the client's routines at random moments of the start-up, a ticket save and the
# configuration import (40 times each unless told otherwise) and counts the restarts that were clean,
# asked for a repair or lost something. Usage: scripts/choques.sh [times] [scratch directory]
set -e
cd "$(dirname "$0")/.."
cmake --build --preset debug --target tarsa-choques >/dev/null
exec build/debug/bin/tarsa-choques "${1:-40}" "${2:-${TMPDIR:-/tmp}/tarsa-choques}"
