#!/usr/bin/env bash
# Installs what is needed, builds the suite and starts Pellora on the sample files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)"
exec build/release/bin/Pellora -O examples/*.uds
