#!/usr/bin/env bash
# The main job: build, let the stand-in host load the add-on module of every host API version and
# print what the add-on registered, then save the sample building's 3D window as a Zelto file with
# the default export settings and print the file's summary; last, export it to the sample's stand-in
# Cinema 4D through the add-on's menu (a fresh home folder, so the user is asked where Cinema 4D is).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$build_dir/zelto-host" register --all
cd "$root"
"$build_dir/zelto-host" export samples/house/house.json -o "$build_dir/House.Zelto" --home "$build_dir/home"
rm -rf "$build_dir/direct-home"
"$build_dir/zelto-host" menu 1 samples/house/house.json --pick "samples/cinema4d/Cinema 4D.app" \
    --home "$build_dir/direct-home"
