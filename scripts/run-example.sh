#!/usr/bin/env bash
# Installs what is missing, builds, and runs the Kelvin library on the bundled sphere.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null
mkdir -p out
./build/tools/bemrun/bemrun --check --emod 210000 --pois 0.3 -o out/sphere-162.npy \
  bemfull examples/sphere-162.txt
