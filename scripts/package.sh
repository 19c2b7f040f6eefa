#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian packages tessivar and
# tessivar-hub (for /usr) in build-package/packages/.
# Usage: scripts/package.sh [build-dir]   (default: build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build-package}"
STACK=package EXTRA_CMAKE_ARGS="-DCMAKE_INSTALL_PREFIX=/usr -DTESSIVAR_BUILD_TESTS=OFF" scripts/setup.sh "$BUILD_DIR"
rm -f "$BUILD_DIR"/packages/*.deb
(cd "$BUILD_DIR" && cpack -G DEB)
echo "Packages:"
ls -1 "$PWD/$BUILD_DIR"/packages/*.deb
