#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite: scripts/test.sh [PRESET].
# PRESET is release (default), asan (AddressSanitizer + UndefinedBehaviorSanitizer) or tsan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
preset="${1:-release}"
scripts/build.sh "$preset"
ctest --preset "$preset"
