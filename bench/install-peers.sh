#!/usr/bin/env bash
# Installs the tag writers that bench/compare-save.sh measures Kestrune against. Only the benchmark
# uses them; building and testing Kestrune need none of them.
set -euo pipefail

packages=(python3-mutagen eyed3 id3v2 kid3-cli)

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
