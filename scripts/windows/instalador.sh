#!/usr/bin/env bash
# instalador.sh OUT VERSION DEST QT DLL_DIRS DATABASE HELP TRANSLATION PROGRAM...
# Assembles the folder the installer ships in DEST (paquete.sh, the delivered database, the help
# pages, Qt's Spanish translation) and makes the NSIS installer OUT from it.
set -euo pipefail
salida=$1 version=$2 dest=$3 qt=$4 dirs=$5 base=$6 ayuda=$7 traduccion=$8
shift 8
aqui=$(cd "$(dirname "$0")" && pwd)
rm -rf "$dest"
"$aqui/paquete.sh" "$dest" "$qt" "$dirs" "$@"
cp "$base" "$dest/TarsaCliente.mdb"
[[ -d $ayuda ]] && cp -r "$ayuda" "$dest/help"
mkdir -p "$dest/translations" && cp "$traduccion" "$dest/translations/"

# The installer's and the uninstaller's lists of the program's own files (the database apart).
lista=$(dirname "$salida")/instalador
mkdir -p "$lista"
win() { printf '%s' "${1//\//\\}"; }
(
    cd "$dest"
    find . -type d | sort | while read -r d; do
        d=${d#./}
        [[ $d == . ]] && d=""
        echo "SetOutPath \"\$INSTDIR$([[ -n $d ]] && printf '\\%s' "$(win "$d")")\""
        find "./$d" -maxdepth 1 -type f ! -path ./TarsaCliente.mdb | sort | while read -r f; do
            echo "File \"$(win "$dest/${f#./}")\""
        done
    done
) >"$lista/instalar.nsh"
(
    cd "$dest"
    find . -type f ! -path ./TarsaCliente.mdb | sort | while read -r f; do echo "Delete \"\$INSTDIR\\$(win "${f#./}")\""; done
    find . -mindepth 1 -type d | sort -r | while read -r d; do echo "RMDir \"\$INSTDIR\\$(win "${d#./}")\""; done
) >"$lista/desinstalar.nsh"
makensis -V2 -DVERSION="$version" -DSALIDA="$salida" -DPAQUETE="$dest" -DINSTALAR="$lista/instalar.nsh" \
    -DDESINSTALAR="$lista/desinstalar.nsh" "$aqui/instalador.nsi"
