#!/usr/bin/env bash
# Installs the tag tools that bench/compare-peers.sh measures Kestrune against. Only the benchmark
# uses them; building and testing Kestrune need none of them.
set -euo pipefail
exec "$(dirname "$0")/../scripts/install-deps.sh" python3-mutagen eyed3 id3v2 kid3-cli
