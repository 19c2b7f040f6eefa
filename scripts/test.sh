#!/usr/bin/env bash
# Installs what is missing, builds from scratch in build-test/, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build-test
scripts/setup.sh build-test
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure --timeout 300 -j "$(nproc 2>/dev/null || echo 2)"
