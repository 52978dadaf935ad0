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

# Large enough for the launcher's window at 200 %.
screen=1600x1200

# Every window inside one virtual desktop of the display's size; a prefix made for a smaller
# display gets the new size. The desktop that the change itself started has the old size, so
# it is let end.
use_virtual_desktop() {
    grep -qs "^\"Default\"=\"$screen\"" "$WINEPREFIX/user.reg" && return 0
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$screen" /f >/dev/null 2>&1
    "$WINESERVER" -w
}

# The tests set the screen's DPI for the launcher and put it back; a run that was killed
# meanwhile leaves it set, and every later run, the tests' own process too, would start at
# that scale. Unset, Wine's screen has 96 dpi.
start_at_96_dpi() {
    awk '/^\[/ { desktop = ($0 ~ /^\[Control Panel\\\\Desktop\]/) } desktop && /^"LogPixels"=/ { found = 1 }
         END { exit !found }' "$WINEPREFIX/user.reg" || return 0
    "$WINE" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
    "$WINESERVER" -w
}

trap finish_wine EXIT
start_virtual_display "$screen"
make_prefix
use_virtual_desktop
start_at_96_dpi
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
