#!/usr/bin/env bash
# Installs what is missing for building and testing, builds and runs the whole test suite:
# scripts/test.sh [PRESET]. PRESET is release (default; build/release, with the benchmarks and
# tools), asan (AddressSanitizer + UndefinedBehaviorSanitizer; build/asan) or tsan (build/tsan).
# The sanitizer builds use GCC's own sanitizer libraries, which come with g++.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build test
preset="${1:-release}"
scripts/build.sh "$preset"
ctest --preset "$preset"
