#!/usr/bin/env bash
# Cuts a JPEG picture into horizontal strips without decoding it: jpegtran (libjpeg-turbo-progs)
# copies each strip's compressed blocks as they are, so that the strips decode to the very rows
# that the whole picture decodes to. The strips are of one height, a whole number of 16-row
# blocks (the largest a JPEG has), but for the last, which holds the rest.
#   cmake/jpegstrips.sh <picture.jpg> <strip 1> ... <strip n>
set -euo pipefail
picture=$1
shift
size=$(rdjpgcom -verbose "$picture" | sed -n 's/^JPEG image is \([0-9]*\)w \* \([0-9]*\)h.*/\1 \2/p')
read -r width height <<<"$size"
[ -n "$height" ] || { echo "$picture: no JPEG picture" >&2; exit 1; }
rows=$(((height + 16 * $# - 1) / (16 * $#) * 16))
top=0
for strip in "$@"; do
    high=$((height - top < rows ? height - top : rows))
    [ "$high" -gt 0 ] || { echo "$picture: too few rows for $# strips" >&2; exit 1; }
    jpegtran -copy none -optimize -crop "${width}x${high}+0+${top}" -outfile "$strip" "$picture"
    top=$((top + high))
done
