#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail
paquetes=(build-essential cmake ninja-build ccache qt6-base-dev libsqlite3-dev libsqlitecpp-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core libzint-dev libzbar-dev zbar-tools
          clang libclang-rt-14-dev clang-format qt6-translations-l10n)
# qt6-translations-l10n: Qt's own texts (standard buttons, file choosers) in Spanish.
# The demo and the screenshots also want a virtual display; without a screen the demo runs on
# TigerVNC's X server (Xvnc, and vncpasswd for its password).
# The screenshots are taken with the Argentine regional setting (locales: es_AR.UTF-8, made below).
if [[ "${1:-}" == "--demo" ]]; then paquetes+=(xvfb xauth tigervnc-standalone-server tigervnc-tools locales); fi

faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if (( ${#faltan[@]} )); then
  echo "Installing: ${faltan[*]}"
  sudo_cmd=""
  [[ $(id -u) -ne 0 ]] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi

# The regional setting of an Argentine pharmacy ("15.230,50"), for the demo and the screenshots.
if [[ "${1:-}" == "--demo" ]] && ! locale -a 2>/dev/null | grep -qix 'es_AR\.utf-\?8'; then
  echo "Generating the es_AR.UTF-8 locale"
  sudo_cmd=""
  [[ $(id -u) -ne 0 ]] && sudo_cmd="sudo"
  $sudo_cmd localedef -i es_AR -f UTF-8 es_AR.UTF-8
fi
