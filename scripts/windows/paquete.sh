#!/usr/bin/env bash
# paquete.sh DEST QT DLL_DIRS PROGRAM...: the folder the installer ships. The programs, Qt's
# Windows platform plugin and its Vista style, and every DLL that one of them imports, found in
# DLL_DIRS (a :-separated list) and followed through their own imports; DLLs found in none of
# them are Windows' own. No windeployqt exists for a Linux host, hence this.
set -euo pipefail
dest=$1 qt=$2
IFS=: read -r -a dirs <<<"$3"
shift 3
mkdir -p "$dest/platforms" "$dest/styles"
cp "$@" "$dest/"
cp "$qt/plugins/platforms/qwindows.dll" "$dest/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$dest/styles/"
pendientes=()
for f in "$@"; do pendientes+=("$dest/$(basename "$f")"); done
pendientes+=("$dest/platforms/qwindows.dll" "$dest/styles/qwindowsvistastyle.dll")
declare -A vistas=()
while ((${#pendientes[@]})); do
    f=${pendientes[0]}
    pendientes=("${pendientes[@]:1}")
    while read -r dll; do
        k=${dll,,}
        [[ -n ${vistas[$k]:-} ]] && continue
        vistas[$k]=1
        for d in "${dirs[@]}"; do
            if [[ -f $d/$dll ]]; then
                cp "$d/$dll" "$dest/"
                pendientes+=("$dest/$dll")
                break
            fi
        done
    done < <(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p')
done
# Debug sections make the C++ runtime alone 24 MB.
find "$dest" \( -name '*.dll' -o -name '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
