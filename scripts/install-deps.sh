#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kestrune need, or the packages
# named as arguments. Does nothing when they are all present already.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ccache
  qt6-base-dev libgl-dev libqt6svg6
  libtag1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-mutagen
  xvfb xauth
  clang libclang-rt-14-dev
)

[ $# -gt 0 ] && packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
