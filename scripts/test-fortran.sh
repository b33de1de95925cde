#!/usr/bin/env bash
# A real Fortran caller on Linux: builds the libraries and the C++ test host, lets the host
# write the example cases and its rigidez, then builds the gfortran program that links the
# three libraries through libs/fortran/bem_interface.f90 and calls each with the arrays in
# Fortran order. Its rigidez must equal the host's: both call the same library binaries, so
# the tolerance is zero. Exits non-zero on any difference.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
started=$SECONDS
bash scripts/install-deps.sh gfortran

cmake -S . -B build-fortran/linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDRA_WERROR=ON \
  -DVELDRA_MANAGER=OFF -DVELDRA_TOOLS=OFF >/dev/null
cmake --build build-fortran/linux -j "$(nproc)" --target bem_host
cmake -S tests/fortran -B build-fortran/caller -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVELDRA_WERROR=ON -DVELDRA_LIBRARY_DIR="$root/build-fortran/linux/libs" >/dev/null
cmake --build build-fortran/caller -j "$(nproc)"

run=build-fortran/run
rm -rf "$run"
mkdir -p "$run"
(cd "$run" && printf '\n\n' |
  ../linux/tests/windows/bem_host report.txt ../linux/libs ../../examples . \
    >console.txt 2>host.log) || { cat "$run/host.log"; exit 1; }
cases=$(cd "$run" && ls -- *.case | sed 's/\.case$//')
status=0
(cd "$run" && ../caller/fortran_caller . 0 $cases) || status=1
echo "time: $((SECONDS - started)) s"
if [ $status -ne 0 ]; then
  echo "test-fortran: FAILED"
  exit 1
fi
echo "test-fortran: the Fortran caller agrees with the C++ host"
