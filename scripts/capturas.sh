#!/usr/bin/env bash
# Retakes the screenshots in docs/screenshots/ from the real windows: a scratch demo installation,
# a few tickets sent to the terminal simulator, each window shown under a virtual display.
#
# As an Argentine pharmacy sees them: the es_AR regional setting ("15.230,50"), on the two screen
# sizes pharmacies use (the main window fills each screen; dialogs are taken on the screen, over
# it), and with the installation where a pharmacist's would be (/home/farmacia), not in a temporary
# directory. The larger set is also the guide's own pictures (docs/screenshots/*.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --demo
cmake --preset debug >/dev/null
cmake --build --preset debug --target tarsa-demo tarsa-capturas tarsa-terminal-sim
raiz=$PWD
bin=$raiz/build/debug/bin
export LANG=es_AR.UTF-8 LC_ALL=es_AR.UTF-8
if ! locale -a | grep -qix 'es_AR\.utf-\?8'; then
  echo "capturas: falta el idioma es_AR.UTF-8 (scripts/setup.sh --demo lo genera)" >&2
  exit 1
fi

# Runs one set inside a mount namespace of its own, where the scratch installation is seen at
# /home/farmacia (a tmpfs over /home there, nothing changes outside).
tomar() {
  local pantalla=$1 scratch=$2
  local hogar=/home/farmacia
  unshare -m bash -euo pipefail -c '
    mount -t tmpfs tmpfs /home && mkdir -p "$3" && mount --bind "$4" "$3"
    export HOME=$3
    "$1/tarsa-demo" "$3" >/dev/null
    TARSA_SETTINGS=$3/ajustes.ini TARSA_APPDIR=$3/app TARSA_PDF_DIR=$3/pdf \
      xvfb-run -a -s "-screen 0 $2x24" "$1/tarsa-capturas" "$5/docs/screenshots/$2"
  ' tomar "$bin" "$pantalla" "$hogar" "$scratch" "$raiz"
}

if ! unshare -m true 2>/dev/null; then
  echo "capturas: hace falta unshare -m (root o CAP_SYS_ADMIN) para mostrar la instalación en /home/farmacia" >&2
  exit 1
fi
for pantalla in 1024x768 1280x900; do
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarsa-capturas.XXXXXX")
  rm -rf "docs/screenshots/$pantalla"
  tomar "$pantalla" "$scratch"
  rm -rf "$scratch"
done
cp docs/screenshots/1280x900/*.png docs/screenshots/
