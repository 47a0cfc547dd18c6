#!/usr/bin/env bash
# The arm64 builds: installs what they need when it is missing (Debian's aarch64 cross compiler, the
# arm64 libraries, qemu-user), cross-compiles the add-on of host API versions 26 and 29 with the
# stand-in host and the tests into BUILD_DIR (default: build-arm64/), and runs their unit and
# host-level tests under qemu-user. One test compares the arm64 export of the sample with the x86_64
# one of an x86_64 build of the same sources: REFERENCE_BUILD_DIR (default: build-arm64-reference/,
# configured for these two versions when it does not exist yet). Extra CMake options for the arm64
# build can be passed as arguments.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build-arm64}
reference_dir=${REFERENCE_BUILD_DIR:-$root/build-arm64-reference}
versions="26;29"

source "$root/scripts/lib/packages.sh"
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
  echo "Adding the arm64 architecture to the package manager"
  as_root dpkg --add-architecture arm64
fi
install_missing_packages g++-aarch64-linux-gnu qemu-user \
                         libc6:arm64 libstdc++6:arm64 libgtest-dev:arm64 libgmock-dev:arm64 libpng-dev:arm64 \
                         libjpeg62-turbo-dev:arm64 libcurl4-openssl-dev:arm64

# The x86_64 side of the comparison: the host app and the two modules, nothing else.
if [ ! -f "$reference_dir/CMakeCache.txt" ]; then
  BUILD_DIR="$reference_dir" "$root/scripts/setup.sh" -DZELTO_API_VERSIONS="$versions" -DZELTO_BUILD_TESTS=OFF
fi
cmake --build "$reference_dir" -j"$(nproc)" --target zelto-host Zelto_export_ac26 Zelto_export_ac29

BUILD_DIR="$build_dir" "$root/scripts/setup.sh" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/aarch64-linux-gnu.cmake" \
  -DZELTO_API_VERSIONS="$versions" -DZELTO_UNIT_TEST_VERSIONS="$versions" \
  -DZELTO_REFERENCE_HOST="$reference_dir/zelto-host" "$@"
cd "$build_dir"
ctest -j"$(nproc)" --output-on-failure --timeout 600
