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

# Whatever this script started ends with it: the client, the simulator, the VNC server.
sim_pid=""
xvnc_pid=""
cliente_pid=""
parar() {
  for pid in $cliente_pid $sim_pid $xvnc_pid; do
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
}
trap parar EXIT
trap 'exit 130' INT TERM

# Without a display the client gets one of its own: TigerVNC's X server (Xvnc), which any VNC viewer
# shows. It listens on this machine only (127.0.0.1) and asks for a password made for this session;
# TARSA_VNC_DIRECCION=<address> makes it listen there instead (0.0.0.0: every interface), with a
# warning. TARSA_VNC_PUERTO chooses the port (5900 plus the display number by default).
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  pantalla=10
  while [[ -e /tmp/.X11-unix/X$pantalla || -e /tmp/.X$pantalla-lock ]]; do pantalla=$((pantalla + 1)); done
  puerto=${TARSA_VNC_PUERTO:-$((5900 + pantalla))}
  mkdir -p "$demo/vnc"
  chmod 700 "$demo/vnc"
  clave=$(LC_ALL=C tr -dc 'A-Za-z0-9' </dev/urandom | head -c 8 || true)
  (umask 077 && printf '%s\n' "$clave" | vncpasswd -f >"$demo/vnc/passwd")
  donde=(-localhost -interface 127.0.0.1)
  if [[ -n "${TARSA_VNC_DIRECCION:-}" ]]; then
    donde=(-interface "$TARSA_VNC_DIRECCION")
    echo "WARNING: the VNC server listens on $TARSA_VNC_DIRECCION:$puerto, reachable from other computers;"
    echo "         only the password below protects the client and the demo's data."
  fi
  Xvnc ":$pantalla" -geometry 1280x900 -depth 24 -rfbport "$puerto" "${donde[@]}" -nolisten tcp \
    -SecurityTypes VncAuth -PasswordFile "$demo/vnc/passwd" -desktop "Tarsa Cliente (demo)" >"$demo/vnc/xvnc.log" 2>&1 &
  xvnc_pid=$!
  for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$pantalla ]] && break; sleep 0.1; done
  if ! kill -0 "$xvnc_pid" 2>/dev/null; then
    echo "The VNC server did not start; see demo/vnc/xvnc.log." >&2
    exit 1
  fi
  export DISPLAY=":$pantalla" QT_QPA_PLATFORM=xcb
  echo
  echo "No display here: the client runs on a VNC server (display :$pantalla), port $puerto."
  echo "Connect a VNC viewer to localhost:$puerto (e.g. vncviewer localhost:$puerto); password: $clave"
  echo "From another computer, tunnel it first: ssh -L $puerto:localhost:$puerto $(hostname)"
  echo "Close the client (Sistema > Salir) or press Ctrl+C to stop."
fi

# Ticket numbers grow from one demo session to the next (day of the year, hour, minute).
# TARSA_SIM_OPCIONES adds options of the simulator, e.g. "--scenario item-errors".
# shellcheck disable=SC2086
"$bin/tarsa-terminal-sim" --dir "$demo/Estandar" --catalogs "$demo/catalogos" --first-ticket "$((10#$(date +%j%H%M)))00" \
  ${TARSA_SIM_OPCIONES:-} >"$demo/terminal-sim.log" 2>&1 &
sim_pid=$!
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
