#!/usr/bin/env bash
# Checks the release package made by the windows preset's `package` target: exactly the
# launcher, zarkswitch and the players' guide, at the top of the archive, the programs as
# built, and the guide in Windows line ends with its version filled in; the sum file beside it;
# an archive that does not depend on the files' times and modes; and the programs' headers,
# imports and icons. The release is the one that the build made from the project's version.
#   tests/package/check.sh <build folder>
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
. "$repo/scripts/lib/check.sh"
build=$(realpath "$1")
release=$(sed -n 's/^#define ZARK_RELEASE "\(.*\)"$/\1/p' "$build/generated/resources/version.h")
[ -n "$release" ] || { echo "no release in $build/generated/resources/version.h" >&2; exit 1; }
zip=$build/ZARKLauncher-$release-win64.zip
unpacked=$(mktemp -d)
again=$(mktemp -d)
icon=$(mktemp)
trap 'rm -rf "$unpacked" "$again" "$icon"' EXIT

# The DLLs that the programs may import: Windows' KnownDLLs, which Windows always loads from its
# system folder. Any other DLL is looked for in the program's folder first, where a file of
# that name may lie. Lower case, without ".dll".
known_dlls=(advapi32 comdlg32 gdi32 imm32 kernel32 msvcrt ole32 oleaut32 shcore shell32 shlwapi user32)

# The images of the programs' icon, width x height x bits per pixel: 256 colours at 16 and 32
# pixels, 32 bits at the sizes of scaled screens and Explorer's views.
icon_images="16x16x8 20x20x32 24x24x32 32x32x8 40x40x32 48x48x32 64x64x32 256x256x32"

# The images of a program file's icon group, as icon_images lists them. icotool reads a PNG
# image's size from the PNG itself, and only from a file: from a pipe it leaves one out.
icon_of() {
    local image='.*--width=\([0-9]*\) --height=\([0-9]*\) --bit-depth=\([0-9]*\).*'
    wrestool --extract --type=14 "$1" >"$icon" && icotool --list "$icon" | sed -n "s/$image/\1x\2x\3/p" | paste -sd ' '
}

check "the package exists" test -f "$zip"
(cd "$unpacked" && cmake -E tar xf "$zip")
check "it holds exactly the three files" test "$(cd "$unpacked" && find . -mindepth 1 | sort | tr '\n' ' ')" = \
    "./PLAYERS.txt ./ZARKLauncher.exe ./zarkswitch.exe "
check "it holds no symbol file" test -z "$(find "$unpacked" -name '*.debug')"
check "ZARKLauncher.exe is the one built" cmp -s "$unpacked/ZARKLauncher.exe" "$build/ZARKLauncher.exe"
check "zarkswitch.exe is the one built" cmp -s "$unpacked/zarkswitch.exe" "$build/zarkswitch.exe"
guide=$unpacked/PLAYERS.txt
check "every line of PLAYERS.txt ends in CR LF" test "$(grep -c $'\r$' "$guide")" = "$(wc -l <"$guide")"
check "PLAYERS.txt names the release" grep -q "^ZARK Launcher ${release//./\\.}: players' guide" "$guide"
check "PLAYERS.txt has no unfilled placeholder" bash -c '! grep -q "@[A-Z_]*@" "$1"' _ "$guide"

check "the sum file matches the package" bash -c 'cd "$1" && sha256sum --check --status "$2.sha256"' _ \
    "$build" "$(basename "$zip")"
# The same files, with other times and modes, in another folder, packed again in the package's
# order, give the same archive.
order=()
while read -r name; do order+=("$again/$name"); cp "$build/$name" "$again/$name"; done < <(cmake -E tar tf "$zip")
touch -d '2001-02-03 04:05:06' "${order[@]}"
chmod 600 "${order[@]}"
"$repo/cmake/package.sh" "$again/again.zip" "${order[@]}"
check "the package does not depend on its files' times and modes" cmp -s "$zip" "$again/again.zip"

for program in ZARKLauncher.exe zarkswitch.exe; do
    header=$(TZ=UTC0 x86_64-w64-mingw32-objdump -p "$build/$program")
    for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE; do
        check "$program is marked $flag" grep -qx $'\t*'"$flag" <<<"$header"
    done
    check "$program has no time stamp" grep -qx $'Time/Date\t*Thu Jan  1 00:00:00 1970' <<<"$header"
    check "$program's icon holds the eight sizes" test "$(icon_of "$build/$program")" = "$icon_images"
    check "$program has its symbols in a file of its own" grep -q "^ *[0-9]* \.gnu_debuglink " \
        < <(x86_64-w64-mingw32-objdump -h "$build/$program")
    dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$header")
    check "$program's imports are found" test -n "$dlls"
    for dll in $dlls; do
        name=${dll,,}
        check "$program imports $dll, a KnownDLL" grep -qxF "${name%.dll}" < <(printf '%s\n' "${known_dlls[@]}")
    done
done

checks_done "release package"
