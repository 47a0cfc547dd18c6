#!/usr/bin/env bash
# The main job: build, then let the stand-in host load the add-on module of every host API version
# and print what the add-on registered.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
"${BUILD_DIR:-$root/build}/zelto-host" register --all
