#!/usr/bin/env bash
# Installs what is missing, builds from scratch in build-test/, and runs every test.
# SANITIZE=1 does the same with the sanitizers, in build-test-sanitize/.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-test${SANITIZE:+-sanitize}
rm -rf "$dir"
STACK=test scripts/setup.sh "$dir"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure --timeout 300 -j "$(nproc 2>/dev/null || echo 2)"
