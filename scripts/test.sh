#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite, then once more under
# AddressSanitizer and UndefinedBehaviorSanitizer. Any failure or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs"
bash scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELDRA_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
# Fuzz the manager's readers for a bounded time (clang, libFuzzer).
bash scripts/test-fuzz.sh
# The libraries as the outside processor loads them: a gfortran caller on Linux, and the 32-bit
# Windows DLLs under Wine (export tables, a Windows host and a Windows Fortran caller).
bash scripts/test-fortran.sh
bash scripts/test-windows.sh
