#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine (only the missing packages), then
# configures and builds into BUILD_DIR (default: build/ at the repository root).
# Extra CMake options can be passed as arguments.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build}

source "$root/scripts/lib/packages.sh"
install_missing_packages cmake make g++ pkg-config binutils libgtest-dev libgmock-dev nlohmann-json3-dev \
                         libcurl4-openssl-dev libpng-dev libjpeg62-turbo-dev

cmake -S "$root" -B "$build_dir" "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
