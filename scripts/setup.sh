#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail
paquetes=(build-essential cmake ninja-build ccache qt6-base-dev libsqlite3-dev libsqlitecpp-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core qt6-translations-l10n libzint-dev libzbar-dev zbar-tools
          clang libclang-rt-14-dev clang-format)
# The demo and the screenshots also want a virtual display.
# qt6-qpa-plugins brings Qt's VNC platform plugin, with which the demo runs without a display.
if [[ "${1:-}" == "--demo" ]]; then paquetes+=(xvfb xauth qt6-qpa-plugins); fi

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
