#!/usr/bin/env bash
# Retakes the screenshots in docs/screenshots/ from the real windows: a scratch demo installation,
# a few tickets sent to the terminal simulator, each window shown under a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --demo
cmake --preset debug >/dev/null
cmake --build --preset debug --target tarsa-demo tarsa-capturas tarsa-terminal-sim
bin=$PWD/build/debug/bin

# Every window on the two screen sizes pharmacies use, each from a fresh demo installation; the
# larger set is also the guide's own pictures.
for pantalla in 1024x768 1280x900; do
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarsa-capturas.XXXXXX")
    "$bin/tarsa-demo" "$scratch" >/dev/null
    TARSA_SETTINGS=$scratch/ajustes.ini TARSA_APPDIR=$scratch/app TARSA_PDF_DIR=$scratch/pdf \
        xvfb-run -a -s "-screen 0 ${pantalla}x24" "$bin/tarsa-capturas" "docs/screenshots/$pantalla"
    rm -rf "$scratch"
done
