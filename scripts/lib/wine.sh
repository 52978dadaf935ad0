#!/usr/bin/env bash
# Runs a Windows test program under Wine on a virtual X display of its own:
#   scripts/lib/wine.sh <program.exe> [arguments]
# The Wine prefix build/wineprefix-test is made on first use and kept for later runs. Wine
# shows every window inside one virtual desktop of the display's size, drawn by Wine itself:
# without a window manager X would show no title bars, and windows sit at the screen
# positions that they ask for. The program saves screenshots as BMP files in the folder named by
# ZARK_SCREENSHOTS (build/screenshots), which are turned into PNG files at the end. The exit
# code is the program's.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
program=$1
shift

export WINEPREFIX=$repo/build/wineprefix-test
. "$repo/scripts/lib/winedisplay.sh"
screenshots=$repo/build/screenshots

# A Windows path for a file of the Linux file system, through Wine's drive Z:, which is /.
windows_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }

# Every window inside one virtual desktop of the display's size.
use_virtual_desktop() {
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
}

trap finish_wine EXIT
start_virtual_display
make_prefix use_virtual_desktop
rm -rf "$screenshots"
mkdir -p "$screenshots"
export ZARK_SCREENSHOTS=$(windows_path "$screenshots")

status=0
"$WINE" "$program" "$@" </dev/null || status=$?

for bitmap in "$screenshots"/*.bmp; do
    [ -e "$bitmap" ] || continue
    convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
exit "$status"
