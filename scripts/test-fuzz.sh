#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in a separate folder and runs each for a bounded time on a seed corpus from tests/. Any crash,
# sanitizer report or failed check fails; the input that caused it is kept in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh clang libclang-rt-14-dev
dir=${VELDRA_FUZZ_BUILD:-build-fuzz}
seconds=${VELDRA_FUZZ_SECONDS:-60}
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELDRA_FUZZ=ON -DVELDRA_TESTS=OFF -DVELDRA_TOOLS=OFF -DVELDRA_WERROR=ON
cmake --build "$dir" -j "$(nproc)" --target export_conversion_fuzzer model_data_file_fuzzer

data=tests/manager/core/data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() {
  local target=$1
  shift
  mkdir -p "$work/$target"
  cp "$@" "$work/$target/"
  echo "== $target: ${seconds} s"
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$dir/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$dir/fuzz/$target-" "$work/$target"
}
run export_conversion_fuzzer "$data"/*.adf
run model_data_file_fuzzer "$data"/*.model.ref
