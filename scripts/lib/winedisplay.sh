# Functions for running the Windows programs under Wine, sourced by scripts/demo, scripts/bench,
# scripts/lib/wine.sh and tests/zarkswitch/under-wine.sh. The caller sets WINEPREFIX and runs
# Wine as "$WINE"; finish_wine (run it from an EXIT trap) stops that prefix's Wine and the
# virtual display, if one was started.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all

# Debian's wine64 has no preloader to keep Windows' fixed addresses free, and with address
# randomisation Linux starts its heap anywhere in a gigabyte above it: now and then on the page
# where Wine maps the shared user data, and the process dies before it runs ("failed to map the
# shared user data: c0000018"). Without randomisation the heap starts right after wine64, well
# below that page. Every process that Wine starts inherits the setting.
wine_fixed_addresses() { setarch "$(uname -m)" -R /usr/lib/wine/wine64 "$@"; }
WINE=wine_fixed_addresses
WINESERVER=/usr/lib/wine/wineserver
xvfb_pid=

# start_virtual_display [WIDTHxHEIGHT]: starts Xvfb (1024x768 unless told) on the first free
# display from :99 up and exports DISPLAY; a display is free when no server holds its lock file.
start_virtual_display() {
    local display size=${1:-1024x768}
    for display in $(seq 99 199); do
        [ -e "/tmp/.X$display-lock" ] && continue
        Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
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
    echo "no free X display" >&2
    return 1
}

# Creates the Wine prefix on first use and runs the given command, if any, to set it up
# further; later runs keep the prefix. Either way Wine's crash dialog is off. Leaves no Wine
# process running.
make_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (takes a few seconds, once)"
        "$WINE" wineboot -i </dev/null >/dev/null 2>&1
        # Debian's Wine does not find the fonts that it ships (Marlett draws the title bar's
        # buttons; Tahoma is the dialog font), so the prefix gets copies.
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        if [ $# -gt 0 ]; then "$@"; fi
    fi
    # A program that crashes prints its backtrace into the log and ends. The dialog would
    # print none and keep the program, and with it its working folder, until someone closed it.
    if ! grep -qsx '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg"; then
        "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            </dev/null >/dev/null 2>&1
    fi
    "$WINESERVER" -w
}

finish_wine() {
    "$WINESERVER" -k 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    return 0
}
