#!/usr/bin/env bash
# Builds the client and starts it on a demo working directory, with the terminal simulator answering.
# Everything lives under ./demo (settings, database, working directory, printed PDFs).
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD
scripts/setup.sh --demo
cmake --preset debug >/dev/null
cmake --build --preset debug

demo=$raiz/demo
mkdir -p "$demo/Estandar/TX" "$demo/app" "$demo/pdf"
export TARSA_SETTINGS=$demo/ajustes.ini
export TARSA_APPDIR=$demo/app
export TARSA_PDF_DIR=$demo/pdf
bin=$raiz/build/debug/bin

# Settings and demo catalogs, prepared once.
if [[ -x $bin/tarsa-demo ]]; then "$bin/tarsa-demo" "$demo"; fi
grep -q QUELO_Path "$TARSA_SETTINGS" 2>/dev/null || printf '[Start]\nQUELO_Path=%s\n' "$demo/Estandar" >>"$TARSA_SETTINGS"

sim_pid=""
if [[ -x $bin/tarsa-terminal-sim ]]; then
  "$bin/tarsa-terminal-sim" --dir "$demo/Estandar" >"$demo/terminal-sim.log" 2>&1 &
  sim_pid=$!
  trap '[[ -n $sim_pid ]] && kill $sim_pid 2>/dev/null' EXIT
  echo "Terminal simulator running (log: demo/terminal-sim.log)"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display here. Run the demo under a virtual display:"
  echo "  xvfb-run -a -s '-screen 0 1280x900x24' scripts/demo.sh"
  exit 1
fi
echo "Printed tickets go to demo/pdf/"
"$bin/TarsaCliente" "$@"
