#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test twice: a normal build
# with warnings as errors, and a build with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup.sh

# Services the tests talk to (each script starts its service on loopback or says why not,
# and stops it again with --stop when the run ends).
stop_services() {
  for s in scripts/services/*.sh; do
    [ -e "$s" ] && bash "$s" --stop >/dev/null 2>&1 || true
  done
}
trap stop_services EXIT
for s in scripts/services/*.sh; do
  [ -e "$s" ] && bash "$s" || true
done

jobs=$(nproc)
export CTEST_OUTPUT_ON_FAILURE=1
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# A compiler cache, where the machine has one, makes a repeated run quick.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

run_build() {
  local dir=$1; shift
  echo "=== build $dir"
  cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "=== test $dir"
  (cd "$dir" && ctest -j "$jobs" --timeout 600)
}

run_build build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKX_WERROR=ON
run_build build/asan -DCMAKE_BUILD_TYPE=Debug -DKX_WERROR=ON -DKX_SANITIZE=ON -DKX_BENCHMARKS=OFF
echo "=== all tests passed in both builds"
