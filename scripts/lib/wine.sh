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
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
screenshots=$repo/build/screenshots

# A Windows path for a file of the Linux file system, through Wine's drive Z:, which is /.
windows_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }

xvfb_pid=
finish() {
    "${wine%/*}/wineserver" -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    return 0
}
trap finish EXIT

# The first free display from :99 up; a display is free when no server holds its lock file.
start_display() {
    local display
    for display in $(seq 99 199); do
        [ -e "/tmp/.X$display-lock" ] && continue
        Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 100); do
            if [ -e "/tmp/.X11-unix/X$display" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
                export DISPLAY=":$display"
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    done
    echo "wine.sh: no free X display" >&2
    return 1
}

make_prefix() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    echo "Creating the Wine prefix $WINEPREFIX"
    "$wine" wineboot -i </dev/null >/dev/null 2>&1
    # Debian's Wine does not find the fonts that it ships (Marlett draws the title bar's
    # buttons; Tahoma is the dialog font), so the prefix gets copies.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    "${wine%/*}/wineserver" -w
}

start_display
make_prefix
rm -rf "$screenshots"
mkdir -p "$screenshots"
export ZARK_SCREENSHOTS=$(windows_path "$screenshots")

status=0
"$wine" "$program" "$@" </dev/null || status=$?

for bitmap in "$screenshots"/*.bmp; do
    [ -e "$bitmap" ] || continue
    convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
exit "$status"
