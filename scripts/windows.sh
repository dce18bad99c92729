#!/usr/bin/env bash
# The Windows version, built on this Debian machine: MinGW-w64 cross-compilers, Qt 6 for Windows
# built from Debian's own source package, the tests run under wine64, an NSIS installer.
#
#   scripts/windows.sh              builds the client, the terminal simulator, the tests and the installer
#   scripts/windows.sh --pruebas    ... and runs every test under wine64 (the installer's test included)
#   scripts/windows.sh --captura    ... and runs the installed client under wine64 and Xvfb: a consumption
#                                   sent to the simulator, printed to PDF, the main window's screenshot
#                                   in docs/screenshots/windows/
#
# Qt and the libraries are built once into a cache directory named after their versions and flags
# (TARSA_QT_WINDOWS, by default ~/.cache/tarsa-qt-windows); later runs only build the program.
# The team's prebuilt archive of exactly that Qt and those libraries, when it lies in
# ../shared/windows/ (or TARSA_QT_ARCHIVO names it) and its checksum matches, fills the cache
# instead of the hour that building Qt takes. TARSA_OBRA_WINDOWS names the build directory
# (by default build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD

pruebas=0 captura=0
for a in "$@"; do
    case $a in
        --pruebas) pruebas=1 ;;
        --captura) captura=1 ;;
        *) echo "usage: $0 [--pruebas] [--captura]" >&2; exit 2 ;;
    esac
done
inicio=$SECONDS
paso() { printf '== %s (%d s)\n' "$*" $((SECONDS - inicio)); }

# ---- packages -----------------------------------------------------------------------------------
paso "packages"
scripts/setup.sh
paquetes=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
          wine64 nsis qt6-translations-l10n xvfb xauth dpkg-dev tcl)
faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
sudo_cmd=""
[[ $(id -u) -ne 0 ]] && sudo_cmd="sudo"
if ((${#faltan[@]})); then
    echo "Installing: ${faltan[*]}"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64  # Debian 12's wine64 package has no /usr/bin/wine64
wineserver=/usr/lib/wine/wineserver
mingw=x86_64-w64-mingw32
toolchain=$raiz/cmake/mingw-w64.cmake
runtime=(/usr/lib/gcc/$mingw/12-posix /usr/$mingw/lib)  # libstdc++, libgcc_s, libwinpthread

# ---- Qt and the libraries for Windows, built once ----------------------------------------------
# Everything that decides what is built is part of the cache's name: the host's versions of the
# sources and these flags. Debian's +dfsg source has no wintab (so no tablet events); OpenGL is off,
# and direct2d must stay on or PrintSupport does not link (it calls the DirectWrite font engine).
qt_opciones=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_pkg_config=OFF
    -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_dbus=OFF -DFEATURE_icu=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_zstd=OFF -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
)
# The Windows platform plugin of Qt 6.4 still asks the OpenGL module whether it is software GL
# when OpenGL is off: that one question is guarded.
qt_parche='isSoftwareGl: #if QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)'
sqlite_opciones=(-O2 -fno-strict-aliasing -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA
    -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_RTREE=1 -DSQLITE_SOUNDEX=1
    -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_OMIT_LOOKASIDE=1 -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ALLOW_ROWID_IN_VIEW
    -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1 -DSQLITE_ENABLE_LOAD_EXTENSION -DSQLITE_ENABLE_JSON1
    -DSQLITE_LIKE_DOESNT_MATCH_BLOBS -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_FTS3_TOKENIZER=1 -DSQLITE_USE_URI=1
    -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_ENABLE_PREUPDATE_HOOK -DSQLITE_ENABLE_SESSION -DSQLITE_ENABLE_STMTVTAB
    -DSQLITE_MAX_VARIABLE_NUMBER=250000)
zbar_fuentes=(config.c error.c symbol.c image.c convert.c refcnt.c img_scanner.c scanner.c decoder.c misc.c
              decoder/code128.c)
version() { dpkg-query -W -f='${Version}' "$1"; }
clave=$( {
    for p in qt6-base-dev libsqlite3-dev libsqlitecpp-dev libzint-dev libzbar-dev googletest \
             g++-mingw-w64-x86-64-posix; do echo "$p $(version "$p")"; done
    printf '%s\n' "${qt_opciones[@]}" "$qt_parche" "${sqlite_opciones[@]}" "${zbar_fuentes[@]}"
} | sha256sum | cut -c1-16)
cache=${TARSA_QT_WINDOWS:-$HOME/.cache/tarsa-qt-windows}/$clave
qt=$cache/qt6-mingw
deps=$cache/mingw-deps

# The prebuilt archive holds exactly what the steps below build from the versions and flags of the
# cache name it was made for.
archivo=${TARSA_QT_ARCHIVO:-$(dirname "$raiz")/shared/windows/qt6.4.2-mingw-w64-x86_64.tar.xz}
archivo_clave=9e52b335d48e1fc6

sembrar_desde_archivo() {
    [[ $clave == "$archivo_clave" && -f $archivo && -f $(dirname "$archivo")/SHA256SUMS ]] || return 1
    (cd "$(dirname "$archivo")" && grep " $(basename "$archivo")\$" SHA256SUMS | sha256sum --check --quiet) ||
        { echo "warning: $archivo does not match its SHA256SUMS; building from source" >&2; return 1; }
    paso "unpacking the prebuilt Qt and libraries from $archivo"
    local tmp
    tmp=$(mktemp -d "$(dirname "$cache")/.archivo.XXXXXX")
    tar -xJf "$archivo" -C "$tmp"
    rm -rf "$qt" "$deps"
    mv "$tmp/qt6-mingw" "$qt"
    mv "$tmp/mingw-deps" "$deps"
    rmdir "$tmp"
}

construir_desde_fuentes() {
    local obra=$cache/obra
    # A build cut short (a closed terminal, a reboot) resumes where it stopped: the sources and the
    # libraries are kept once complete, and ninja carries on with Qt from its own log.
    if [[ ! -f $obra/bibliotecas-listas ]]; then
        construir_bibliotecas "$obra"
        touch "$obra/bibliotecas-listas"
    fi
    construir_qt "$obra"
    rm -rf "$obra"
}

construir_bibliotecas() {
    local obra=$1
    rm -rf "$obra" "$qt" "$deps"
    mkdir -p "$obra/src" "$deps/include/zbar" "$deps/lib"
    # Debian's own sources, of the versions installed on the host.
    local fuentes=/etc/apt/sources.list.d/tarsa-fuentes.sources
    if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $sudo_cmd tee "$fuentes" >/dev/null
        $sudo_cmd apt-get update -qq
    fi
    paso "downloading the sources of Qt, SQLite, SQLiteCpp, zint and zbar"
    (cd "$obra/src" && apt-get source -qq qt6-base sqlite3 sqlitecpp zint zbar >/dev/null)
    local s
    s() { ls -d "$obra/src/$1"-[0-9]*/ | head -1; }

    paso "SQLite for Windows"
    mkdir -p "$obra/sqlite" && (cd "$obra/sqlite" && "$(s sqlite3)configure" --disable-tcl >/dev/null &&
        make -j2 sqlite3.c sqlite3.h >/dev/null &&
        $mingw-gcc-posix "${sqlite_opciones[@]}" -c sqlite3.c -o sqlite3.o &&
        $mingw-ar rcs "$deps/lib/libsqlite3.a" sqlite3.o && cp sqlite3.h sqlite3ext.h "$deps/include/")
    local comun=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps"
                 -DTARSA_WINDOWS_PREFIJOS="$deps")
    paso "SQLiteCpp for Windows"
    cmake "${comun[@]}" -S "$(s sqlitecpp)" -B "$obra/b-sqlitecpp" -DSQLITECPP_INTERNAL_SQLITE=OFF \
        -DSQLITECPP_RUN_CPPLINT=OFF -DSQLITECPP_RUN_CPPCHECK=OFF -DSQLITECPP_BUILD_TESTS=OFF \
        -DSQLITECPP_USE_STACK_PROTECTION=OFF >/dev/null
    cmake --build "$obra/b-sqlitecpp" -j2 >/dev/null && cmake --install "$obra/b-sqlitecpp" >/dev/null
    paso "zint for Windows"
    cmake "${comun[@]}" -S "$(s zint)" -B "$obra/b-zint" -DZINT_USE_PNG=OFF -DZINT_USE_QT=OFF >/dev/null
    cmake --build "$obra/b-zint" -j2 >/dev/null && cmake --install "$obra/b-zint" >/dev/null
    paso "GoogleTest for Windows"
    cmake "${comun[@]}" -S /usr/src/googletest -B "$obra/b-gtest" >/dev/null
    cmake --build "$obra/b-gtest" -j2 >/dev/null && cmake --install "$obra/b-gtest" >/dev/null
    # zbar's source wants autotools and iconv; the tests only read Code 128, whose decoder and the
    # scanner core compile on their own.
    paso "zbar's Code 128 decoder for Windows"
    local z
    z=$(s zbar)
    mkdir -p "$obra/zbar" && (cd "$obra/zbar" && cat >config.h <<'CH'
#define HAVE_INTTYPES_H 1
#define HAVE_STDINT_H 1
#define HAVE_STDLIB_H 1
#define HAVE_STRING_H 1
#define HAVE_ERRNO_H 1
#define ENABLE_CODE128 1
#define ZBAR_VERSION_MAJOR 0
#define ZBAR_VERSION_MINOR 23
#define ZBAR_VERSION_PATCH 92
#define VERSION "0.23.92"
#define PACKAGE_VERSION "0.23.92"
#define NO_STATS 1
CH
        for f in "${zbar_fuentes[@]}"; do
            $mingw-gcc-posix -O2 -I. -I"${z}include" -I"${z}zbar" -c "${z}zbar/$f" -o "$(basename "$f" .c).o"
        done
        $mingw-ar rcs "$deps/lib/libzbar.a" ./*.o)
    cp "${z}include/zbar.h" "$deps/include/" && cp "${z}"include/zbar/*.h "$deps/include/zbar/"
}

construir_qt() {
    local obra=$1 q
    paso "Qt for Windows (about an hour on two idle cores)"
    q=$(ls -d "$obra"/src/qt6-base-[0-9]*/ | head -1)
    # The patch is written so that applying it twice changes nothing.
    sed -i '/^static inline bool isSoftwareGl()/,/^}/ s/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
        "${q}src/plugins/platforms/windows/qwindowswindow.cpp"
    cmake -G Ninja -S "$q" -B "$obra/b-qt" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$qt" \
        "${qt_opciones[@]}" >"$obra/qt-configure.log"
    nice -n 10 cmake --build "$obra/b-qt" -j2 >"$obra/qt-build.log" ||
        { tail -30 "$obra/qt-build.log"; exit 1; }
    cmake --install "$obra/b-qt" >/dev/null
}

if [[ ! -f $cache/listo ]]; then
    mkdir -p "$cache"
    sembrar_desde_archivo || construir_desde_fuentes
    touch "$cache/listo"
fi
paso "Qt and libraries for Windows in $cache"

# ---- the program, for Windows ---------------------------------------------------------------------
obra=${TARSA_OBRA_WINDOWS:-$raiz/build/windows}
mkdir -p "$obra"
obra=$(cd "$obra" && pwd)
prefijo_wine=$obra/wine
# The emulator through which CMake runs Windows programs at build time and ctest runs the tests:
# wine64 with Qt, the libraries and the MinGW-w64 runtime on the DLL path.
emulador=$obra/wine.sh
cat >"$emulador" <<EOF
#!/usr/bin/env bash
export WINEPREFIX=\${WINEPREFIX:-$prefijo_wine} WINEDEBUG=\${WINEDEBUG:--all}
export WINEPATH="$qt/bin;$deps/bin;${runtime[0]};${runtime[1]}"
exec $wine "\$@"
EOF
chmod +x "$emulador"
if [[ ! -f $prefijo_wine/system.reg ]]; then
    paso "wine prefix"
    WINEPREFIX=$prefijo_wine $wine wineboot --init >/dev/null 2>&1
fi
# wine hands no QT_* variable of the Unix environment to a Windows program: the prefix's own
# environment carries them. Offscreen draws text with the DejaVu fonts.
reg() { WINEPREFIX=$prefijo_wine $wine reg add 'HKCU\Environment' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
reg QT_QPA_PLATFORM offscreen
reg QT_QPA_FONTDIR 'Z:\usr\share\fonts\truetype\dejavu'
WINEPREFIX=$prefijo_wine $wineserver -w

paso "configuring the Windows build in $obra"
# -O1: the client waits on the terminal's files and on the user, not on the processor, and -O3 takes
# much longer to compile on two cores.
cmake -G Ninja -S "$raiz" -B "$obra" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTARSA_WINDOWS_PREFIJOS="$qt;$deps" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" \
    -DTARSA_BUILD_BENCHMARKS=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulador" -DTARSA_WINDOWS_INSTALADOR=ON \
    -DTARSA_WINDOWS_QT="$qt" -DTARSA_WINDOWS_DLLS="$qt/bin;$deps/bin;${runtime[0]};${runtime[1]}" >/dev/null
paso "building the client, the simulator, the tests and the installer"
cmake --build "$obra" -j2
WINEPREFIX=$prefijo_wine $wineserver -w
ls -l "$obra"/TarsaCliente-*-instalar.exe
paso "built"

if ((pruebas)); then
    paso "running the tests under wine64"
    # One wine server for the whole run, instead of one started and stopped per test.
    WINEPREFIX=$prefijo_wine $wineserver -p60
    # The first program of a session starts wine's own services, which would inherit ctest's
    # output pipes and keep the first test from ending: start them here.
    WINEPREFIX=$prefijo_wine $wine cmd /c exit >/dev/null 2>&1 </dev/null
    (cd "$obra" && ctest -j2 --output-on-failure --timeout 300)
    paso "tests passed"
fi
if ((captura)); then
    paso "the installed client under wine64 and Xvfb"
    scripts/windows/captura.sh "$obra"
    paso "screenshot taken"
fi
