#!/usr/bin/env bash
# Two clean builds of the source as the working tree has it, uncommitted changes included, in
# folders of different names and depths, must give the same program files and symbol files,
# byte for byte: that is what lets a player check a download against a build of this source.
# The folders stay under build/reproducible when the files differ, for a look with cmp -l or
# objdump.
#   tests/package/reproducible.sh
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
. "$repo/scripts/lib/check.sh"
work=$repo/build/reproducible
first=$work/a
second=$work/second-copy/of/the/source

# build_copy <folder>: copies the source there, without the builds and git's own files, and
# builds only the two programs and their symbol files.
build_copy() {
    mkdir -p "$1"
    tar -C "$repo" --exclude=./build --exclude=./.git -cf - . | tar -C "$1" -xf -
    (cd "$1" && cmake --preset windows >/dev/null &&
        cmake --build --preset windows --target ZARKLauncher zarkswitch -j 2 >/dev/null)
}

rm -rf "$work"
build_copy "$first"
build_copy "$second"
for file in ZARKLauncher.exe ZARKLauncher.exe.debug zarkswitch.exe zarkswitch.exe.debug; do
    check "$file is the same from both builds" cmp "$first/build/windows/$file" "$second/build/windows/$file"
done
[ "$failures" -ne 0 ] || rm -rf "$work"
checks_done "reproducible build"
