#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors when CI is set).
#   scripts/build.sh             the normal build with the test programs, into build/
#   scripts/build.sh --program   the program alone, into build/
#   scripts/build.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer + LeakSanitizer,
#                                into build-asan/
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
target=all
case "${1:-}" in
  "") ;;
  --program) target=tesmora ;;
  --sanitize)
    dir=build-asan
    # -O1 keeps the sanitized programs' stacks readable and their build quick.
    options=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DTESMORA_SANITIZE=ON) ;;
  *) echo "usage: $0 [--program | --sanitize]" >&2; exit 2 ;;
esac
werror=OFF
[ -n "${CI:-}" ] && werror=ON
# ccache, where installed, lets several checkouts of the tree share their compiled objects.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$top/$dir" -G Ninja "${options[@]}" -DTESMORA_WERROR=$werror \
    "${launcher[@]}" >/dev/null
cmake --build "$top/$dir" --target "$target"
