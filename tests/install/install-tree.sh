#!/usr/bin/env bash
# Installs the build into a scratch prefix, validates the desktop entry and the AppStream
# metadata there, checks the icons, and starts the installed binary in a real X server.
# Usage: install-tree.sh <build dir> <desktop id>
set -euo pipefail
build=$1
id=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli identify; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/deps.sh installs it)"
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

entry=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -f "$entry" ] || fail "no desktop entry at share/applications/$id.desktop"
[ -f "$metainfo" ] || fail "no AppStream metadata at share/metainfo/$id.metainfo.xml"

# desktop-file-validate prints its findings and exits 0 on hints; a finding of any kind fails.
findings=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $findings"
[ -z "$findings" ] || fail "desktop-file-validate: $findings"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli rejects the metadata"

# The entry starts the installed binary and names the installed icon; the metadata names the entry.
grep -qx "Exec=tesmora" "$entry" || fail "the entry does not start tesmora"
grep -qx "Icon=$id" "$entry" || fail "the entry's icon is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
[ -x "$prefix/bin/tesmora" ] || fail "no tesmora in bin/"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] ||
        fail "the ${size}x${size} icon is $(identify -format '%wx%h' "$png")"
done
echo "installed files: ok"

DESKTOP_ENTRY=$entry "$here/../e2e/with-x.sh" "$here/installed-window.sh" "$prefix/bin/tesmora"
