# Installs the Debian packages named as arguments that are not installed yet; does nothing
# when all are there. Uses sudo when not run as root.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building the program needs: the mingw-w64 cross compilers and the native toolchain,
# stb_image's decoders of PNG and JPEG, jpegtran to cut a JPEG picture into strips, and zip for
# the release package.
BUILD_PACKAGES=(cmake make g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libstb-dev libjpeg-turbo-progs
    zip)
# What running it needs: Wine with its fonts (a recommendation that --no-install-recommends
# skips) on a virtual X display, and ImageMagick for screenshots.
RUN_PACKAGES=(wine64 fonts-wine xvfb imagemagick)
# What the tests need beyond that: GoogleTest (built from source for Windows), clang's
# libFuzzer for the store reader, icoutils to read the icon out of the release's programs, and
# clang-format for the check of the format.
TEST_PACKAGES=(libgtest-dev googletest clang libclang-rt-14-dev icoutils clang-format)
# What scripts/make-art needs to draw the pictures: Pillow and the fonts of their lettering.
ART_PACKAGES=(python3-pil fonts-dejavu-core fonts-dejavu-extra fonts-liberation)
