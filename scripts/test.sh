#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test twice: a normal build
# with warnings as errors, and a build with AddressSanitizer and UBSan; last, the
# readers' fuzz targets run for a short while each under both sanitizers (clang).
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

# Fuzzing: only the fuzz targets and what they link are built. Each target starts from
# files our own code writes and runs for fuzz_seconds; a crash, a sanitizer report or a
# refusal in a standard-library text fails the run.
fuzz_seconds=${KX_FUZZ_SECONDS:-20}
echo "=== build build/fuzz"
cmake -S . -B build/fuzz -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang-14 \
  -DCMAKE_CXX_COMPILER=clang++-14 -DKX_FUZZ=ON -DKX_BENCHMARKS=OFF >/dev/null
cmake --build build/fuzz -j "$jobs" --target fuzz_all
echo "=== fuzz build/fuzz (${fuzz_seconds} s per reader)"
fuzz_dir=$root/build/fuzz/run
rm -rf "$fuzz_dir"
mkdir -p "$fuzz_dir"
build/fuzz/fuzz/make_fuzz_seeds "$fuzz_dir/seeds"
# The readers are fuzzed side by side, one process each.
readers=(uds points madymo bitmap listfile hitlist)
pids=()
for reader in "${readers[@]}"; do
  mkdir -p "$fuzz_dir/corpus/$reader" "$fuzz_dir/home/$reader"
  ( cd "$fuzz_dir" && HOME="$fuzz_dir/home/$reader" XDG_CONFIG_HOME="$fuzz_dir/home/$reader" \
      QT_QPA_PLATFORM=offscreen "$root/build/fuzz/fuzz/fuzz_$reader" -max_total_time="$fuzz_seconds" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$fuzz_dir/$reader-" \
      "$fuzz_dir/corpus/$reader" "$fuzz_dir/seeds/$reader" ) >"$fuzz_dir/$reader.log" 2>&1 &
  pids+=($!)
done
fuzz_failed=0
for i in "${!readers[@]}"; do
  reader=${readers[$i]}
  log=$fuzz_dir/$reader.log
  if wait "${pids[$i]}"; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
    echo "fuzz_$reader: $runs executions, $cov"
  else
    echo "fuzz_$reader: FINDING (log $log)"
    tail -n 40 "$log"
    fuzz_failed=1
  fi
done
[ "$fuzz_failed" -eq 0 ] || { echo "=== fuzzing found faults"; exit 1; }
echo "=== all tests passed in both builds; fuzzing found nothing"
