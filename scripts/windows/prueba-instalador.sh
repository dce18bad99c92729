#!/usr/bin/env bash
# prueba-instalador.sh INSTALLER PREFIX: installs the client silently under wine64 into a scratch
# folder, starts the installed client on its own DLLs alone, installs again over it and uninstalls
# it, checking after each step that the user's database, its backup, the saved tickets and the
# exchange archive are exactly as the user left them, and that the uninstaller leaves nothing else.
set -euo pipefail
instalador=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEPATH=""  # only the installed DLLs
wine=/usr/lib/wine/wine64
[[ -f $WINEPREFIX/system.reg ]] || $wine wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarsa-instalador.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
dir=$scratch/TarsaCliente  # NSIS reads /D= to the end of the line, unquoted: no blanks here
windir="Z:${dir//\//\\}"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tarsa Cliente.lnk"
fallas=0
falla() { echo "FAILED: $*"; fallas=$((fallas + 1)); }
existe() { for f in "$@"; do [[ -e $dir/$f ]] || falla "$f was not installed"; done; }

instalar() {
    $wine "$instalador" /S "/D=$windir"
    /usr/lib/wine/wineserver -w
}
instalar
existe TarsaCliente.exe TarsaCliente.mdb desinstalar.exe Qt6Core.dll Qt6Widgets.dll Qt6PrintSupport.dll \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll translations/qtbase_es.qm help
[[ -e $menu ]] || falla "no Start menu entry"
# Nothing but the program's own DLLs and those it imports: no test or tool was shipped.
for f in "$dir"/*.exe; do
    case $(basename "$f") in TarsaCliente.exe | desinstalar.exe) ;; *) falla "ships $(basename "$f")" ;; esac
done

# The installed client starts on the installed DLLs and plugins alone, on a virtual display with
# its windows platform plugin, and ends by itself; its orderly shutdown leaves the backup of the
# database beside it.
mkdir -p "$scratch/Estandar"
printf '[Start]\nQUELO_Path=Z:%s/Estandar\n' "$scratch" >"$scratch/ajustes.ini"
TARSA_SALIR=1 TARSA_SETTINGS="Z:$scratch/ajustes.ini" xvfb-run -a $wine "$dir/TarsaCliente.exe" || falla "the installed client failed"
/usr/lib/wine/wineserver -w
[[ -f $dir/TarsaCliente.mdb.bak ]] || falla "the installed client did not run to its orderly shutdown"

# What the user's work leaves beside the program.
mkdir -p "$dir/Tickets" "$dir/Intercambios/2026-12"
echo "ticket 1" >"$dir/Tickets/1.prn"
echo "intercambio" >"$dir/Intercambios/2026-12/term7.zip"
printf 'datos del usuario' >>"$dir/TarsaCliente.mdb"
suma() { (cd "$dir" && sha256sum TarsaCliente.mdb TarsaCliente.mdb.bak Tickets/1.prn Intercambios/2026-12/term7.zip); }
antes=$(suma)

instalar
[[ $(suma) == "$antes" ]] || falla "installing over it changed the user's files"
existe TarsaCliente.exe desinstalar.exe

$wine "$dir/desinstalar.exe" /S
/usr/lib/wine/wineserver -w  # the uninstaller runs on from a copy of itself
[[ $(suma) == "$antes" ]] || falla "uninstalling changed the user's files"
quedan=$(cd "$dir" && find . -type f | sort | tr '\n' ' ')
esperados="./Intercambios/2026-12/term7.zip ./TarsaCliente.mdb ./TarsaCliente.mdb.bak ./Tickets/1.prn "
[[ $quedan == "$esperados" ]] || falla "after uninstalling: $quedan"
[[ ! -e $menu ]] || falla "the Start menu entry was left"

echo "$((fallas == 0 ? 1 : 0)) passed, $((fallas > 0 ? 1 : 0)) failed"
exit $((fallas > 0))
