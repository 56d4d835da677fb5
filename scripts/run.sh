#!/usr/bin/env bash
# Installs what is needed, builds the suite and starts Pellora on the sample files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)"
if [ -x build/release/Pellora/Pellora ]; then
  exec build/release/Pellora/Pellora -O examples/*.uds
else
  echo "Built the libraries and their tests; the Pellora program is not part of this build yet."
fi
