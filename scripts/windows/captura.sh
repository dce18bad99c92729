#!/usr/bin/env bash
# captura.sh BUILD: the Windows client for real, under wine64 on a virtual X display with Qt's
# windows platform plugin (scripts/windows.sh --captura).
#  1. installs TarsaCliente-<version>-instalar.exe silently into a wine prefix of its own;
#  2. prepares a demo installation (tarsa-demo.exe) and puts its settings in the registry, where the
#     Windows client keeps them, and its database beside the installed client;
#  3. starts the installed client inside a wine desktop, takes a screenshot of its main window
#     (docs/screenshots/windows/ventana-principal.png) and closes it as a user does (Alt+F4), then
#     checks that the client wrote its settings under HKCU\Software\VB and VBA Program Settings;
#  4. runs the unattended walkthrough (tarsa-guion.exe) beside the installed client, on the
#     installed DLLs and the same display: a consumption sent to tarsa-terminal-sim.exe and printed
#     to PDF (TARSA_PDF_DIR), each window saved as PNG.
set -euo pipefail
obra=$(cd "$1" && pwd)
raiz=$(cd "$(dirname "$0")/../.." && pwd)
capturas=$raiz/docs/screenshots/windows
export WINEPREFIX=$obra/wine-captura WINEDEBUG=-all
# The regional settings of a pharmacy's Windows: Spanish (Argentina), "15.230,50". Wine takes the
# user's locale from the Unix one.
locale -a | grep -qi '^es_AR\.utf-\?8$' || { echo "the es_AR.UTF-8 locale is missing: scripts/setup.sh --demo makes it" >&2; exit 1; }
export LC_ALL=es_AR.UTF-8 LANG=es_AR.UTF-8
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
instalador=$(ls "$obra"/TarsaCliente-*-instalar.exe)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarsa-captura.XXXXXX")
xvfb=""
terminar() {
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
    $wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap terminar EXIT
win() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

# A virtual display of the size pharmacies use.
for n in $(seq 90 120); do [[ -e /tmp/.X11-unix/X$n ]] || break; done
Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.2; done

[[ -f $WINEPREFIX/system.reg ]] || $wine wineboot --init >/dev/null 2>&1
clave='HKCU\Software\VB and VBA Program Settings\TarsaCliente'
$wine reg delete "$clave" /f >/dev/null 2>&1 || true

echo "1. installing $(basename "$instalador")"
$wine "$instalador" /S
$wineserver -w
dir="$WINEPREFIX/drive_c/Program Files/TarsaCliente"
[[ -f $dir/TarsaCliente.exe ]] || { echo "not installed in $dir" >&2; exit 1; }

echo "2. demo installation and its settings in the registry"
WINEPATH="" "$obra/wine.sh" "$obra/bin/tarsa-demo.exe" "$(win "$scratch/demo")" >/dev/null
cp "$scratch/demo/app/TarsaCliente.mdb" "$dir/TarsaCliente.mdb"
rm -f "$dir/TarsaCliente.mdb.bak"
sed -n '/^\[Start\]/,/^\[/p' "$scratch/demo/ajustes.ini" | grep '=' | while IFS='=' read -r k v; do
    [[ $k == QUELO_Path ]] && v=$(win "$scratch/demo/Estandar")
    $wine reg add "$clave\\Start" /v "$k" /t REG_SZ /d "$v" /f >/dev/null
done
mkdir -p "$scratch/pdf" "$capturas"

echo "3. the installed client on the windows platform plugin"
$wine explorer /desktop=Tarsa,1280x900 "C:\\Program Files\\TarsaCliente\\TarsaCliente.exe" &
cliente=$!
# Start-up makes the run's exchange directory, imports the terminal's configuration, then shows
# the main window: once the directory is there, the picture is taken when the screen stops changing.
for _ in $(seq 240); do
    compgen -G "$scratch/demo/Estandar/term[0-9]*" >/dev/null && break
    sleep 0.5
done
pantalla() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng; }
anterior=""
for _ in $(seq 60); do
    sleep 3
    actual=$(pantalla | sha256sum)
    [[ $actual == "$anterior" ]] && break
    anterior=$actual
done
pantalla >"$capturas/ventana-principal.png"
echo "   screenshot: docs/screenshots/windows/ventana-principal.png"
xdotool key --clearmodifiers alt+F4
wait "$cliente" || true
timeout 120 $wineserver -w || { echo "the client did not close" >&2; exit 1; }
# The demo leaves the dates of the last configuration import unset: the client's start-up imports
# the terminal's files and stores those dates, and its closing stores the current selection.
echo "   settings in the registry after the run:"
$wine reg query "$clave\\Start" | tr -d '\r' | grep -E 'Fecha|Empresa|Actividad|Terminal|QUELO_Path' | sed 's/^/   /'
$wine reg query "$clave\\Start" /v FechaQueloEmp >/dev/null 2>&1 ||
    { echo "the client did not save its settings in the registry" >&2; exit 1; }
[[ -f $dir/TarsaCliente.mdb.bak ]] || { echo "the client did not shut down in order" >&2; exit 1; }

echo "4. a consumption through the client's windows, printed to PDF"
cp "$obra/bin/tarsa-guion.exe" "$obra/bin/tarsa-terminal-sim.exe" "$dir/"
guion=0
(
    cd "$scratch"
    TARSA_SETTINGS=$(win "$scratch/demo/ajustes.ini") TARSA_APPDIR=$(win "$scratch/demo/app") \
        TARSA_PDF_DIR=$(win "$scratch/pdf") WINEPATH="" \
        $wine "$dir/tarsa-guion.exe" "$(win "$scratch/guion")"
) || guion=$?
rm -f "$dir/tarsa-guion.exe" "$dir/tarsa-terminal-sim.exe"
# The walkthrough's screenshots and the simulator's log, to look at.
rm -rf "$obra/captura-guion" && cp -r "$scratch/guion" "$obra/captura-guion"
ls "$scratch/pdf"/*.pdf >/dev/null || { echo "no ticket was printed" >&2; exit 1; }
cp "$(ls "$scratch/pdf"/*.pdf | head -1)" "$capturas/ticket-consumo.pdf"
# The ticket form filled in and the terminal's answer, as the walkthrough saw them.
cp "$scratch/guion/consumo.png" "$scratch/guion/consumo-respuesta.png" "$capturas/"
echo "   $(ls "$scratch/pdf" | wc -l) tickets printed to PDF; screenshots in docs/screenshots/windows/"
((guion == 0)) || { echo "the walkthrough stopped before its end (build/windows/captura-guion/)" >&2; exit 1; }
