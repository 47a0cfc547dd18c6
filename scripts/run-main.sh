#!/usr/bin/env bash
# The main job: build, let the stand-in host load the add-on module of every host API version and
# print what the add-on registered, then save the sample building's 3D window as a Zelto file with
# the default export settings and print the file's summary.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$build_dir/zelto-host" register --all
cd "$root"
"$build_dir/zelto-host" export samples/house/house.json -o "$build_dir/House.Zelto" --home "$build_dir/home"
