#!/usr/bin/env bash
# zarkswitch.exe under Wine, used the way a Linux launch script uses it: the exit status comes
# through Wine, the game folder is the current folder or --dir, and the files move as they do
# natively. Then native programs and those under Wine must not switch in one folder at once.
#   tests/zarkswitch/under-wine.sh <windows build folder> <native build folder>
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
exe=$(realpath "$1/zarkswitch.exe")
holdfile=$(realpath "$1/tests/window/holdfile.exe")
native=$(realpath "$2/zarkswitch")
holdlock=$(realpath "$2/tests/zarkswitch/holdlock")

# A prefix of its own: the window tests' prefix is set up for windows, this one needs none.
export WINEPREFIX=$repo/build/wineprefix-console
. "$repo/scripts/lib/winedisplay.sh"
. "$repo/scripts/lib/check.sh"
game=$(mktemp -d)
trap 'finish_wine; rm -rf "$game"' EXIT
make_prefix

# Milliseconds since the epoch.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Runs zarkswitch.exe in the game folder; sets $status, $out, $err and $took (milliseconds).
zarkswitch() {
    status=0
    local started
    started=$(now_ms)
    (cd "$game" && "$WINE" "$exe" "$@" >"$game.out" 2>"$game.err") || status=$?
    took=$(($(now_ms) - started))
    out=$(cat "$game.out")
    err=$(cat "$game.err")
    rm -f "$game.out" "$game.err"
}

# The switch lock's file comes with the first switch and stays, empty.
files() { (cd "$game" && ls | grep -vx zarkdata.lock | tr '\n' ' '); }

crlf=$'\r'
cp "$repo"/tests/gamefolder/* "$game/"

zarkswitch status
check_equal "status in the current folder: agree, exit 0" "$status" 0
check_equal "status lines end in CR LF" "$out" "ZARK (zarkdata.dat): inactive$crlf
ZARK-FS (zarkdata2.dat): inactive$crlf
The rule files agree with the stores.$crlf"

windows_game="Z:${game//\//\\}"
zarkswitch --dir "$windows_game" activate fs
check_equal "activate fs with --dir: exit 0" "$status" 0
check_equal "activate fs prints the new state" "$out" "ZARK-FS (zarkdata2.dat): active$crlf"
check_equal "activate fs moves three files" "$(files)" "art.ini firestrm.ini rules.ini zarkdata.dat zarkdata2.dat "
check_equal "activate fs writes 31 0D 0A" "$(od -An -tx1 "$game/zarkdata2.dat")" " 31 0d 0a"

zarkswitch activate base
check_equal "activate base while fs is active: refused, exit 1" "$status" 1
check_equal "the refusal is the launcher's message" "${out:0:21}" "If you have firestorm"

rm "$game/art.ini"
zarkswitch deactivate fs
check_equal "deactivate fs with art.ini missing: exit 2" "$status" 2
check_contains "the failure names the file by its full path on standard error" "$err" "File: $windows_game\\art.ini"
check_equal "the failed switch put back what it moved" "$(files)" "firestrm.ini rules.ini zarkdata.dat zarkdata2.dat "
check_equal "the store still says active" "$(od -An -tx1 "$game/zarkdata2.dat")" " 31 0d 0a"

zarkswitch activate
check_equal "a missing variant: exit 64" "$status" 64

mv "$game/zarkdata.dat" "$game.saved"
mkfifo "$game/zarkdata.dat"
zarkswitch status
check_equal "a pipe as a store is reported at once: exit 3" "$status" 3
write_base="If ZARK is off, make zarkdata.dat hold the single line 2 (1 if it is on)"
check_contains "as no plain file, with what to write in it" "$out" "zarkdata.dat is not a plain file. $write_base"
zarkswitch activate base
check_equal "a switch with a pipe as a store fails at once: exit 2" "$status" 2
check "and says it is no plain file" grep -q "^zarkswitch: Error 75: Path/File access error: not a plain file" <<<"$err"
rm "$game/zarkdata.dat"
mv "$game.saved" "$game/zarkdata.dat"

# A folder under the lock file's name is no lock file: said at once, not waited for as a file in
# use, and status reports the folder without the lock.
delete_lock="Delete zarkdata.lock in the game folder and try again; the next switch creates it anew as a plain file."
rm -f "$game/zarkdata.lock"
mkdir "$game/zarkdata.lock"
zarkswitch deactivate fs
check_equal "zarkdata.lock as a folder fails the switch: exit 2" "$status" 2
check "at once (took ${took} ms)" test "$took" -lt 1500
folder_lock="Path/File access error: a folder, not a file"
check_equal "and says what it is and to delete it" "$err" "zarkswitch: Error 75: $folder_lock$crlf
File: $windows_game\\zarkdata.lock$crlf
$crlf
$delete_lock$crlf"
zarkswitch status
check_equal "status with zarkdata.lock as a folder: exit 3" "$status" 3
check_equal "and lists it last" "${out##*$'\n'}" "$folder_lock (zarkdata.lock). $delete_lock$crlf"
rmdir "$game/zarkdata.lock"

# A game under Program Files: Windows keeps copies of its files for old programs in the player's
# VirtualStore. The game reads a rule file's copy instead; a store's copy, left by an older
# launcher, nothing reads. status names each copy, says who reads it and to delete it; repair
# leaves it to the player.
program_files_game="$WINEPREFIX/drive_c/Program Files/ZARK test"
virtual_store="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/VirtualStore/Program Files/ZARK test"
rm -rf "$program_files_game" "$virtual_store"
mkdir -p "$program_files_game" "$virtual_store"
cp "$repo"/tests/gamefolder/* "$program_files_game/"
printf '; rules.ini of an earlier installation\r\n' >"$virtual_store/rules.ini"
printf '1\r\n' >"$virtual_store/zarkdata.dat"
copy_found='VirtualStore\Program Files\ZARK test\rules.ini is a copy of rules.ini that Windows keeps for old programs, and the game reads it instead of the game folder'"'"'s rules.ini: delete it'
store_copy_found='VirtualStore\Program Files\ZARK test\zarkdata.dat is a copy of zarkdata.dat that an older program without a manifest left there. The game never reads the stores, and neither ZARK Launcher nor zarkswitch reads this copy: it is safe to delete it'
zarkswitch --dir 'C:\Program Files\ZARK test' status
check_equal "status in Program Files finds the VirtualStore copies: exit 3" "$status" 3
check_contains "and says that the game reads a rule file's copy, and to delete it" "$out" "$copy_found$crlf"
check_contains "and that nothing reads a store's copy" "$out" "$store_copy_found$crlf"
zarkswitch --dir 'C:\Program Files\ZARK test' repair
check_equal "repair leaves the copies to the player: exit 3" "$status" 3
check_contains "and says to delete them" "$out" "$copy_found, then run zarkswitch repair again.$crlf"
check_contains "a store's copy too" "$out" "$store_copy_found, then run zarkswitch repair again.$crlf"
check "the copies are still there" test -f "$virtual_store/rules.ini" -a -f "$virtual_store/zarkdata.dat"
rm -rf "$program_files_game" "$virtual_store"

# Windows answers "access denied" for a read-only file as for a protected folder: the advice
# must tell the two apart. Wine marks a file read-only without its write permission, and then
# refuses to delete it, as Windows does.
leftover=zarkdata.dat.77.1.tmp
printf '2\r\n' >"$game/$leftover"
chmod a-w "$game/$leftover"
zarkswitch repair
check_equal "repair with a read-only leftover: exit 2" "$status" 2
check_contains "and says that the file is read-only" "$err" "File: $windows_game\\$leftover$crlf
$crlf
The file is read-only. Clear its read-only mark (Properties in Explorer) and try again."
rm -f "$game/$leftover"

# One switch at a time, across Wine and native programs: each waits about two seconds for
# the other's lock, then gives up with exit 2 and the busy line. A holder must hold for the
# waiter's whole wait, however long the waiter takes to start under a loaded Wine.
busy="zarkswitch: Another program is switching ZARK in this folder. Try again once it has finished."

# The native holder holds until its input is closed. Bash forgets a coprocess's PID and streams
# once it has ended, so they are kept at once.
coproc native_holder { cd "$game" && exec "$holdlock"; }
holder_pid=$native_holder_PID
holder_out=${native_holder[0]}
holder_in=${native_holder[1]}
held=
read -r held <&"$holder_out" || true
check_equal "holdlock holds the lock" "$held" held
zarkswitch deactivate fs
check_equal "zarkswitch.exe waits for a lock held natively (${took} ms), then exits 2" "$status" 2
check "about two seconds" test "$took" -ge 1500
check_equal "and says that another program is switching" "$err" "$busy$crlf"
exec {holder_in}>&-
holder_status=0
wait "$holder_pid" || holder_status=$?
check_equal "holdlock lets go once its input ends" "$holder_status" 0
check_equal "the files are as they were" "$(files)" "firestrm.ini rules.ini zarkdata.dat zarkdata2.dat "

# holdfile.exe holds for a given time: far longer than the wait, and it comes last, so that the
# prefix's Wine, ended at exit, ends it instead of a wait for the rest of that time.
ready=$game.ready
rm -f "$ready"
"$WINE" "$holdfile" "Z:${game//\//\\}\\zarkdata.lock" lock 60000 "Z:${ready//\//\\}" &
for _ in $(seq 100); do [ -e "$ready" ] && break; sleep 0.1; done
check "holdfile.exe holds the lock under Wine" test -e "$ready"
rm -f "$ready"
status=0
started=$(now_ms)
err=$(cd "$game" && "$native" deactivate fs 2>&1 >/dev/null) || status=$?
took=$(($(now_ms) - started))
check_equal "native zarkswitch waits for a lock held under Wine (${took} ms), then exits 2" "$status" 2
check "about two seconds" test "$took" -ge 1500
check_equal "and says that another program is switching" "$err" "$busy"

checks_done "zarkswitch under Wine"
