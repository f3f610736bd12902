#!/usr/bin/env bash
# Installs the Debian packages the build and tests need, only those missing.
# Runs as root, or through sudo for another user. Safe to run again.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  nlohmann-json3-dev libcli11-dev libcsv-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang ccache fonts-liberation fonts-wqy-microhei
  qt6-svg-dev qt6-translations-l10n help2man dpkg-dev
  desktop-file-utils libxml2-utils shared-mime-info xdg-utils libglib2.0-bin
  poppler-utils qpdf libqpdf-dev
  libzip-dev python3-docx
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "All build packages are installed."
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
