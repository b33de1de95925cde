#!/usr/bin/env bash
# Installs what the build and the tests need, when it is missing (Debian 12, as root).
# Extra package names given as arguments are installed as well (the optional test stages
# name theirs).
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev binutils python3 qt6-base-dev "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}; run this script as root to install them." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=300 update -q
  apt-get -o DPkg::Lock::Timeout=300 install -y -q --no-install-recommends "${missing[@]}"
fi
