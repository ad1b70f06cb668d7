#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks what it holds: exactly the installed
# files, the standard file name, section utils, and the run-time packages next to the libraries
# dpkg-shlibdeps found. Usage: deb-package.sh <build dir> <desktop id>
set -euo pipefail
build=$1
id=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/deps.sh installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack could not build the package"; }

debs=("$work"/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "tesmora_${version}_${arch}.deb" ] ||
    fail "the file is named $(basename "$deb"), not tesmora_${version}_${arch}.deb"
[ "$version" = 1.0.0.9 ] || fail "package version $version"
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "section $(dpkg-deb -f "$deb" Section)"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"

# The files, without the folders that hold them.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./|/|' | sort >"$work/files"
{
    echo /usr/bin/tesmora
    echo "/usr/share/applications/$id.desktop"
    echo "/usr/share/metainfo/$id.metainfo.xml"
    echo "/usr/share/icons/hicolor/scalable/apps/$id.svg"
    for size in 16 32 48 64 128 256; do
        echo "/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    done
} | sort >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "the package holds other files than the ones above"

dpkg-deb -x "$deb" "$work/root"
binary=$work/root/usr/bin/tesmora
# The packaged binary is stripped.
! readelf -S "$binary" | grep -q '\.symtab' || fail "the packaged binary is not stripped"

# Dependencies: the package of every library the binary links (as dpkg-shlibdeps finds them), and
# the packages it loads at run time, which no linker sees.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=" $(echo "$depends" | sed -e 's/([^)]*)//g' -e 's/[,|]/ /g' | tr -s ' ') "
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
needed=$(readelf -d "$binary" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')
[ -n "$needed" ] || fail "readelf lists no libraries for the binary"
for lib in $needed; do
    owner=$(dpkg -S "*/$multiarch/$lib" 2>/dev/null | awk -F: 'NR == 1 { print $1 }') || true
    [ -n "$owner" ] || fail "no installed package holds $lib"
    [[ $names == *" $owner "* ]] || fail "Depends does not name $owner, which holds $lib"
done
for package in gstreamer1.0-plugins-good gstreamer1.0-plugins-base fonts-liberation qt6-wayland; do
    [[ $names == *" $package "* ]] || fail "Depends does not name $package"
done
echo "package $(basename "$deb"): ok"
