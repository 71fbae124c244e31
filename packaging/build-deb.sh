#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package in a clean build tree (build/deb, or KESTRUNE_DEB_BUILD): a Release
# build without tests, with Debian's hardening flags, packaged by `cpack -G DEB`. Prints the
# package's path; install it with `apt-get install ./PATH`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build package
build="${KESTRUNE_DEB_BUILD:-$PWD/build/deb}"
rm -rf "$build"

# Debian's compiler and linker flags with all hardening on; CMake reads no CPPFLAGS, so they join
# CXXFLAGS.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTRUNE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/kestrune_*.deb
