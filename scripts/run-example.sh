#!/usr/bin/env bash
# Installs what is missing, builds, and runs the libraries on the bundled examples: the Kelvin
# library on a closed sphere, the two half-space libraries on a rigid circular footing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null
mkdir -p out
bemrun=./build/tools/bemrun/bemrun
echo "== Kelvin full space: solid sphere, 162 nodes =="
$bemrun --check --emod 210000 --pois 0.3 -o out/sphere-162.npy bemfull examples/sphere-162.txt
for lib in bemsurf bemdeep; do
  echo
  echo "== $lib: rigid circular footing on the surface, 217 nodes =="
  $bemrun --check --emod 30000 --pois 0.25 -o "out/disk-217-$lib.npy" "$lib" examples/disk-217.txt
done
