#!/usr/bin/env bash
# Installs the Debian packages of the named groups, or the packages named as arguments, that are
# missing; does nothing when they are all present already:
#   scripts/install-deps.sh GROUP|PACKAGE...
# Groups:
#   build    building the program (scripts/start.sh); libqt6svg6 draws the icons at build time
#   run      running it headless with Qt's Russian texts (scripts/start.sh)
#   test     the test suite and its validators (scripts/test.sh)
#   fuzz     the fuzz target, which needs clang and libFuzzer (fuzz/run-fuzz.sh)
#   package  the Debian package (packaging/build-deb.sh)
set -euo pipefail

declare -A groups=(
  [build]="cmake g++ make pkg-config ccache qt6-base-dev libqt6svg6 libtag1-dev"
  [run]="xvfb xauth qt6-translations-l10n"
  [test]="libgtest-dev libgmock-dev python3-mutagen desktop-file-utils appstream qt6-translations-l10n"
  [fuzz]="clang libclang-rt-14-dev"
  [package]="dpkg-dev file"
)

[ $# -gt 0 ] || { echo "usage: scripts/install-deps.sh GROUP|PACKAGE... (groups: ${!groups[*]})" >&2; exit 2; }
packages=()
for arg in "$@"; do
  if [ -n "${groups[$arg]:-}" ]; then
    read -ra group <<<"${groups[$arg]}"
    packages+=("${group[@]}")
  else
    packages+=("$arg")
  fi
done

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
