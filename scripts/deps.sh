#!/usr/bin/env bash
# Installs what QEL needs to build and test on Debian 12 (run as root).
set -euo pipefail
PACKAGES=(qt6-base-dev qt6-pdf-dev libboost-serialization-dev libboost-iostreams-dev python3
          libgtest-dev libgmock-dev libbenchmark-dev cmake ninja-build g++
          libx11-dev fonts-dejavu-core xvfb xauth xdotool python3-pil poppler-utils clang-format)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y "${missing[@]}"
fi
