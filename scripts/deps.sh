#!/usr/bin/env bash
# The one list of Debian packages the project needs to build, test and run.
# Installs only what is missing; does nothing when everything is present.
set -euo pipefail

PACKAGES=(
    build-essential cmake pkg-config ninja-build
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql
    libzip-dev libfreexl-dev libxlsxwriter-dev
    postgresql-15
    xvfb xauth x11-utils imagemagick fonts-dejavu-core poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
