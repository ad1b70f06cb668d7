#!/usr/bin/env bash
# Fails when a committed picture no longer matches its SVG source: renders every picture (the
# window's and the desktop icons) into a temporary folder with scripts/render-images.sh and
# compares each file, frame by frame, pixel by pixel with the committed one (the encoders need not
# be byte-stable; the pixels must agree).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT

"$top/scripts/render-images.sh" --out "$fresh/images" --icons "$fresh/icons" >/dev/null

stale=()
checked=0
compare_folder() { # committed-folder rendered-folder
    local images=$1 fresh=$2 committed name rendered frames fuzz differing i
    for committed in "$images"/*; do
        name=$(basename "$committed")
        rendered="$fresh/$name"
        if [ ! -e "$rendered" ]; then
            echo "check-images: $name is committed but no longer rendered from a source" >&2
            stale+=("$name")
            continue
        fi
        frames=$(identify -format '%s\n' "$committed" | wc -l)
        if [ "$frames" != "$(identify -format '%s\n' "$rendered" | wc -l)" ]; then
            stale+=("$name")
            continue
        fi
        # JPEG is lossy: allow the encoder's rounding, nothing a person could see.
        fuzz=0
        [ "${name##*.}" = jpg ] && fuzz=2%
        for ((i = 0; i < frames; i++)); do
            differing=$(compare -metric AE -fuzz "$fuzz" "$committed[$i]" "$rendered[$i]" null: 2>&1) || true
            if [ "$differing" != 0 ]; then
                echo "check-images: $name, frame $i: $differing pixels differ from its source" >&2
                stale+=("$name")
                break
            fi
        done
        checked=$((checked + 1))
    done
    for rendered in "$fresh"/*; do
        [ -e "$images/$(basename "$rendered")" ] || stale+=("$(basename "$rendered") (not committed)")
    done
}
compare_folder "$top/controls/resources/images" "$fresh/images"
compare_folder "$top/packaging/icons/png" "$fresh/icons"

if [ ${#stale[@]} -gt 0 ]; then
    echo "check-images: stale pictures: ${stale[*]}" >&2
    echo "check-images: refresh them with scripts/render-images.sh and commit the result" >&2
    exit 1
fi
echo "check-images: $checked pictures match their sources"
