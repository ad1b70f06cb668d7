#!/bin/sh
# Renders every picture of the program from its SVG source in controls/resources/src into
# controls/resources/images, at the pixel size and colour depth the window uses, and the
# program's desktop icon (packaging/icons) into packaging/icons/png at the sizes a desktop asks for.
#
#   scripts/render-images.sh                 render all pictures
#   scripts/render-images.sh --sheet FILE    also write a contact sheet (4x, on the button face
#                                            and on black) to look at the result
#   scripts/render-images.sh --out DIR       render the window's pictures into DIR instead
#   scripts/render-images.sh --icons DIR     render the desktop icons into DIR instead
#
# Needs rsvg-convert (librsvg2-bin), ImageMagick's convert/montage (GIF, JPEG, contact sheet)
# and python3. The rendered files are committed; the build does not run this.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
src="$root/controls/resources/src"
out="$root/controls/resources/images"
icons_out="$root/packaging/icons/png"
encode="python3 $root/controls/resources/encode.py"
sheet=
while [ $# -gt 0 ]; do
    case "$1" in
    --sheet) sheet=${2:?--sheet needs a file name}; shift 2 ;;
    --out) out=${2:?--out needs a folder}; shift 2 ;;
    --icons) icons_out=${2:?--icons needs a folder}; shift 2 ;;
    *) echo "render-images: unknown argument $1" >&2; exit 2 ;;
    esac
done

for tool in rsvg-convert convert montage python3; do
    command -v "$tool" >/dev/null || { echo "render-images: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$icons_out"

render() { # svg width height png
    rsvg-convert --width "$2" --height "$3" --format png --output "$4" "$1"
}

# Icons: 32x32 and 16x16 in one file; a <name>-16.svg, where present, is drawn for the small size.
icons="clock bulb-unlit bulb-lit monitor telephone information calculator disc conversions
       translator match plus minus multiply divide eraser play stop sign flag"
for name in $icons; do
    small="$src/$name-16.svg"
    [ -e "$small" ] || small="$src/$name.svg"
    render "$src/$name.svg" 32 32 "$work/$name-32.png"
    render "$small" 16 16 "$work/$name-16.png"
    $encode ico "$out/$name.ico" "$work/$name-32.png" "$work/$name-16.png"
done

render "$src/calendar.svg" 24 22 "$work/calendar.png"
$encode bmp4 "$out/calendar.bmp" "$work/calendar.png"
render "$src/copy.svg" 24 23 "$work/copy.png"
$encode bmp8 "$out/copy.bmp" "$work/copy.png"

# GIF keeps one transparent colour: cut the alpha in half rather than dither it.
render "$src/donate.svg" 73 44 "$work/donate.png"
convert "$work/donate.png" -channel A -threshold 50% +channel -dither None -colors 255 \
    -strip "$out/donate.gif"

render "$src/about.svg" 181 230 "$work/about.png"
convert "$work/about.png" -background black -alpha remove -quality 92 -sampling-factor 1x1 \
    -strip "$out/about.jpg"

render "$src/hand.svg" 32 32 "$work/hand.png"
convert "$work/hand.png" -strip "PNG32:$out/hand.png"

# The desktop icon: the small sizes are the window's own clock pictures, drawn for their pixel
# grid; from 48 pixels up the icon's own drawing with all twelve hour marks.
render "$src/clock-16.svg" 16 16 "$work/tesmora-16.png"
render "$src/clock.svg" 32 32 "$work/tesmora-32.png"
for size in 48 64 128 256; do
    render "$root/packaging/icons/tesmora.svg" "$size" "$size" "$work/tesmora-$size.png"
done
for size in 16 32 48 64 128 256; do
    convert "$work/tesmora-$size.png" -strip "PNG32:$icons_out/tesmora-$size.png"
done

if [ -n "$sheet" ]; then
    # Each picture as the program decodes it, scaled up without smoothing.
    for background in '#efefef' black; do
        tiles=
        for name in $icons; do
            convert "$out/$name.ico[0]" "$work/t-$name-32.png"
            convert "$out/$name.ico[1]" "$work/t-$name-16.png"
            tiles="$tiles $work/t-$name-32.png $work/t-$name-16.png"
        done
        for file in calendar.bmp copy.bmp donate.gif hand.png; do
            convert "$out/$file" "$work/t-$file.png"
            tiles="$tiles $work/t-$file.png"
        done
        # shellcheck disable=SC2086 # the tile list is meant to split
        montage $tiles -filter point -resize 400% -background "$background" -geometry +6+6 \
            -tile 8x "$work/sheet-$background.png"
    done
    montage "$work/sheet-#efefef.png" "$work/sheet-black.png" -geometry +0+8 -tile 1x \
        -background '#808080' "$work/sheets.png"
    convert "$work/sheets.png" \( "$out/about.jpg" -filter point -resize 200% \) \
        -background '#808080' -gravity north +append "$sheet"
    echo "contact sheet: $sheet"
fi
