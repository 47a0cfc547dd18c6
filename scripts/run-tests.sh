#!/usr/bin/env bash
# Builds everything (all nine host API versions) and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" "$@"
cd "$build_dir"
ctest -j"$(nproc)" --output-on-failure --timeout 600
