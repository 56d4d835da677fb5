#!/usr/bin/env bash
# Installs the Debian 12 packages the suite needs. Idempotent: packages that are
# already installed are skipped, so on a prepared machine this takes seconds.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6opengl6-dev
  libqcustomplot-dev
  qt6-datavisualization-dev qt6-declarative-dev libgl1-mesa-dri
  libboost-all-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth poppler-utils fonts-liberation2 chromium
  shared-mime-info desktop-file-utils
  postgresql libqt6sql6-psql
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
