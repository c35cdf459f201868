#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Korvelantrix.
set -euo pipefail
pakete=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev
        qt6-base-dev libgl-dev fonts-dejavu-core xvfb clang libclang-rt-14-dev hershey-fonts-data
        python3 qt6-translations-l10n poppler-utils
        dpkg-dev lintian appstream desktop-file-utils man-db)
fehlend=()
for p in "${pakete[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
    echo "Installing: ${fehlend[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends "${fehlend[@]}"
fi
