#!/bin/sh
# Builds one PNG showing every picture the resource_art generator drew:
# the 36 layout previews in preview-index order (rows: fit portrait, full
# portrait, fit landscape, full landscape) and the icons, enlarged 3 times
# without smoothing, each labelled with its resource id.
#   scripts/preview-contact-sheet.sh <resource_art folder> [output.png]
# The folder is resource_art inside a build folder; needs ImageMagick.
set -eu

if [ $# -lt 1 ] || [ ! -f "$1/resource_art.rc" ]; then
    echo "usage: $0 <resource_art folder> [output.png]" >&2
    exit 2
fi
art=$1
out=${2:-resource_art_contact_sheet.png}
if ! command -v montage >/dev/null 2>&1; then
    echo "$0: ImageMagick's montage is needed (apt-get install imagemagick)" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Previews in the order the resource script lists them (preview index order).
previews=$(sed -n 's/^\([0-9]*\) BITMAP .*/\1/p' "$art/resource_art.rc")
set --
for id in $previews; do
    set -- "$@" -label "$id" "$art/preview_$id.bmp"
done
montage "$@" -tile 9x -geometry +6+6 -background '#f0f0f0' "$work/previews.png"

# Icons: the first (largest) image of each file, on the dialog's grey.
sed -n 's/^\([0-9]*\) ICON "\(.*\)"$/\1 \2/p' "$art/resource_art.rc" >"$work/icons.txt"
set --
while read -r id file; do
    convert "ico:$art/${file}[0]" -background '#f0f0f0' -flatten -filter point -resize 300% "$work/icon_$id.png"
    set -- "$@" -label "$id" "$work/icon_$id.png"
done <"$work/icons.txt"
# The application icon's small image too, as drawn for 16 pixels.
convert "ico:$art/tessary.ico[1]" -background '#f0f0f0' -flatten -filter point -resize 300% "$work/icon_small.png"
set -- "$@" -label "128 (16 px)" "$work/icon_small.png"
montage "$@" -tile x1 -geometry +12+6 -background '#f0f0f0' "$work/icons.png"

convert "$work/previews.png" "$work/icons.png" -background '#f0f0f0' -gravity west -append "$out"
echo "$out"
