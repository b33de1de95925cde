#!/usr/bin/env bash
# Configures and builds into the given folder (default: build). Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDRA_WERROR=ON "$@"
cmake --build "$dir" -j "$(nproc)"
