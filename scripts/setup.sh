#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine (only the missing packages), then
# configures and builds into BUILD_DIR (default: build/ at the repository root).
# Extra CMake options can be passed as arguments.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build}

packages=(cmake make g++ pkg-config binutils libgtest-dev libgmock-dev nlohmann-json3-dev
          libcurl4-openssl-dev libpng-dev libjpeg62-turbo-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt_get=(apt-get)
  [ "$(id -u)" -eq 0 ] || apt_get=(sudo apt-get)
  "${apt_get[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" install -y -qq "${missing[@]}"
fi

cmake -S "$root" -B "$build_dir" "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
