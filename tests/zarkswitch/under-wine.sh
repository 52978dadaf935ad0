#!/usr/bin/env bash
# zarkswitch.exe under Wine, used the way a Linux launch script uses it: the exit status comes
# through Wine, the game folder is the current folder or --dir, and the files move as they do
# natively.
#   tests/zarkswitch/under-wine.sh <zarkswitch.exe>
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
exe=$(realpath "$1")

# A prefix of its own: the window tests' prefix is set up for windows, this one needs none.
export WINEPREFIX=$repo/build/wineprefix-console
. "$repo/scripts/lib/winedisplay.sh"
. "$repo/scripts/lib/check.sh"
game=$(mktemp -d)
trap 'finish_wine; rm -rf "$game"' EXIT
make_prefix

# Runs zarkswitch.exe in the game folder; sets $status, $out and $err.
zarkswitch() {
    status=0
    (cd "$game" && "$WINE" "$exe" "$@" >"$game.out" 2>"$game.err") || status=$?
    out=$(cat "$game.out")
    err=$(cat "$game.err")
    rm -f "$game.out" "$game.err"
}

files() { (cd "$game" && ls | tr '\n' ' '); }

crlf=$'\r'
cp "$repo"/tests/gamefolder/* "$game/"

zarkswitch status
check "status in the current folder: agree, exit 0" test "$status" = 0
check "status lines end in CR LF" test "$out" = "ZARK (zarkdata.dat): inactive$crlf
ZARK-FS (zarkdata2.dat): inactive$crlf
The rule files agree with the stores.$crlf"

windows_game="Z:${game//\//\\}"
zarkswitch --dir "$windows_game" activate fs
check "activate fs with --dir: exit 0" test "$status" = 0
check "activate fs prints the new state" test "$out" = "ZARK-FS (zarkdata2.dat): active$crlf"
check "activate fs moves three files" test "$(files)" = "art.ini firestrm.ini rules.ini zarkdata.dat zarkdata2.dat "
check "activate fs writes 31 0D 0A" test "$(od -An -tx1 "$game/zarkdata2.dat")" = " 31 0d 0a"

zarkswitch activate base
check "activate base while fs is active: refused, exit 1" test "$status" = 1
check "the refusal is the launcher's message" test "${out:0:21}" = "If you have firestorm"

rm "$game/art.ini"
zarkswitch deactivate fs
check "deactivate fs with art.ini missing: exit 2" test "$status" = 2
check "the failure names the file on standard error" grep -q "^File: art.ini" <<<"$err"
check "the failed switch put back what it moved" test "$(files)" = "firestrm.ini rules.ini zarkdata.dat zarkdata2.dat "
check "the store still says active" test "$(od -An -tx1 "$game/zarkdata2.dat")" = " 31 0d 0a"

zarkswitch activate
check "a missing variant: exit 64" test "$status" = 64

checks_done "zarkswitch under Wine"
