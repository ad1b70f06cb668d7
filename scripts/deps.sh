#!/usr/bin/env bash
# Installs the missing Debian packages (as root, or with sudo):
#   scripts/deps.sh          what the clock needs to build and run (scripts/packages.txt)
#   scripts/deps.sh --tests  that, and what the test suite needs (scripts/packages-test.txt)
# Recommended packages come only where a list names them.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lists=("$here/packages.txt")
case "${1:-}" in
  "") ;;
  --tests) lists+=("$here/packages-test.txt") ;;
  *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac
mapfile -t wanted < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "${lists[@]}" | awk 'NF')
missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "deps: all ${#wanted[@]} packages are installed"
  exit 0
fi
echo "deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "deps: run as root or install sudo" >&2; exit 1; }
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
