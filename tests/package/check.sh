#!/usr/bin/env bash
# Checks the release package made by the windows preset's `package` target: exactly the
# launcher, zarkswitch and the players' guide, at the top of the archive, the programs as
# built, and the guide in Windows line ends with its version filled in. The release is the one
# that the build made from the project's version.
#   tests/package/check.sh <build folder>
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib/check.sh"
build=$(realpath "$1")
release=$(sed -n 's/^#define ZARK_RELEASE "\(.*\)"$/\1/p' "$build/generated/version.h")
[ -n "$release" ] || { echo "no release in $build/generated/version.h" >&2; exit 1; }
zip=$build/ZARKLauncher-$release-win64.zip
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT

check "the package exists" test -f "$zip"
(cd "$unpacked" && cmake -E tar xf "$zip")
check "it holds exactly the three files" test "$(cd "$unpacked" && find . -mindepth 1 | sort | tr '\n' ' ')" = \
    "./PLAYERS.txt ./ZARKLauncher.exe ./zarkswitch.exe "
check "ZARKLauncher.exe is the one built" cmp -s "$unpacked/ZARKLauncher.exe" "$build/ZARKLauncher.exe"
check "zarkswitch.exe is the one built" cmp -s "$unpacked/zarkswitch.exe" "$build/zarkswitch.exe"
guide=$unpacked/PLAYERS.txt
check "every line of PLAYERS.txt ends in CR LF" test "$(grep -c $'\r$' "$guide")" = "$(wc -l <"$guide")"
check "PLAYERS.txt names the release" grep -q "^ZARK Launcher ${release//./\\.}: players' guide" "$guide"
check "PLAYERS.txt has no unfilled placeholder" bash -c '! grep -q "@[A-Z_]*@" "$1"' _ "$guide"

checks_done "release package"
