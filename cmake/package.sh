#!/usr/bin/env bash
# Packs the given files into a zip archive that the same files always turn into the same bytes,
# wherever and whenever it is made, and writes its SHA-256 sum beside it (<archive>.sha256, in
# the form that `sha256sum -c` reads). The files lie at the top of the archive in the order
# given, each with one fixed time and a mode that depends only on its kind, and without the
# extra fields in which zip would record the build machine's owners and times.
#   cmake/package.sh <archive.zip> <file>...
set -euo pipefail
archive=$(realpath -m "$1")
shift
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT

names=()
for file in "$@"; do
    name=$(basename "$file")
    cp "$file" "$staging/$name"
    names+=("$name")
done
cd "$staging"
chmod 644 -- "${names[@]}"
for name in "${names[@]}"; do
    case $name in *.exe) chmod 755 -- "$name" ;; esac
done
# zip keeps the local time of day; read in UTC, the fixed time is the same on every machine.
# 1980-01-01 is the earliest time that a zip archive can hold.
TZ=UTC0 touch -d '1980-01-01 00:00:00' -- "${names[@]}"
rm -f "$archive" "$archive.sha256"
TZ=UTC0 zip -q -X "$archive" -- "${names[@]}"
cd "$(dirname "$archive")"
sha256sum "$(basename "$archive")" >"$archive.sha256"
