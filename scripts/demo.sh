#!/usr/bin/env bash
# Builds the client and starts it on a demo installation, with the terminal simulator answering.
# Everything lives under ./demo: settings (ajustes.ini), database (app/), the working directory
# shared with the terminal (Estandar/) and the printed tickets (pdf/). Delete ./demo to start over.
# Arguments are passed to the client (/V101 selects the older protocol); TARSA_SIM_OPCIONES to the
# terminal simulator.
# With --guion it runs the unattended walkthrough instead (tarsa-guion): a consumption, the journal,
# a reprint and a cancellation, without a display; screenshots go to demo/guion/, tickets to demo/pdf/.
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD
scripts/setup.sh --demo
cmake --preset debug >/dev/null
if [[ "${1:-}" == "--guion" ]]; then
  cmake --build --preset debug --target tarsa-demo tarsa-guion tarsa-terminal-sim
else
  cmake --build --preset debug
fi

demo=$raiz/demo
bin=$raiz/build/debug/bin
export TARSA_SETTINGS=$demo/ajustes.ini
export TARSA_APPDIR=$demo/app
export TARSA_PDF_DIR=$demo/pdf

# Terminal configuration, catalogs and settings; a second run changes nothing.
echo "Preparing the demo installation in demo/"
"$bin/tarsa-demo" "$demo"

# Exchange directories left behind by a client that was killed rather than closed.
rm -rf "$demo"/Estandar/term[0-9]*

# The walkthrough draws offscreen, so it needs no display at all, and ends by itself.
if [[ "${1:-}" == "--guion" ]]; then
  echo "Unattended walkthrough (screenshots in demo/guion/, tickets in demo/pdf/):"
  QT_QPA_PLATFORM=offscreen exec "$bin/tarsa-guion" "$demo/guion"
fi

# Without a display the client draws on Qt's VNC platform plugin instead: any VNC viewer shows it.
# TARSA_VNC_PUERTO chooses the port (5900 by default).
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  puerto=${TARSA_VNC_PUERTO:-5900}
  export QT_QPA_PLATFORM="vnc:size=1280x900:port=$puerto"
  echo
  echo "No display here: the client runs on Qt's VNC server, port $puerto."
  echo "Connect any VNC viewer to localhost:$puerto (e.g. vncviewer localhost:$puerto)."
  echo "From another computer, tunnel it first: ssh -L $puerto:localhost:$puerto $(hostname)"
  echo "The VNC server has no password and listens on every network interface of this machine;"
  echo "use it on a trusted network or through the tunnel. Close the client (Sistema > Salir) or press Ctrl+C to stop."
fi

# Ticket numbers grow from one demo session to the next (day of the year, hour, minute).
# TARSA_SIM_OPCIONES adds options of the simulator, e.g. "--scenario item-errors".
# shellcheck disable=SC2086
"$bin/tarsa-terminal-sim" --dir "$demo/Estandar" --catalogs "$demo/catalogos" --first-ticket "$((10#$(date +%j%H%M)))00" \
  ${TARSA_SIM_OPCIONES:-} >"$demo/terminal-sim.log" 2>&1 &
sim_pid=$!
cliente_pid=""
parar() {
  for pid in $cliente_pid $sim_pid; do
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
}
trap parar EXIT
trap 'exit 130' INT TERM
echo "Terminal simulator running (pid $sim_pid, log: demo/terminal-sim.log)"
echo "Printed tickets go to demo/pdf/; see docs/demo.md for a first consumption ticket."

# The client runs in the background so that Ctrl+C or a TERM signal reach this script at once and
# end both programs.
"$bin/TarsaCliente" "$@" &
cliente_pid=$!
status=0
wait "$cliente_pid" || status=$?
cliente_pid=""
echo "Client closed; stopping the terminal simulator."
exit $status
