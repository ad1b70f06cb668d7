#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors when CI is set).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
werror=OFF
[ -n "${CI:-}" ] && werror=ON
# ccache, where installed, lets several checkouts of the tree share their compiled objects.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESMORA_WERROR=$werror \
    "${launcher[@]}" >/dev/null
cmake --build "$top/build"
