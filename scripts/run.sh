#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tessivar. When no game journal
# folder is found, the program plays its demo: a recorded session written into
# a temporary journal folder over time, as the game would, and followed live.
set -euo pipefail
cd "$(dirname "$0")/.."
TARGETS="tessivar tessivar-cli" scripts/setup.sh build
BIN=build/src/app/tessivar
if ./build/src/cli/tessivar-cli journal-dirs | grep -q '^Journal folder: (none found)' && [ $# -eq 0 ]; then
  echo "No game journal found: playing the demo (data/demo/live)"
  exec "$BIN" --demo-folder data/demo/live
else
  exec "$BIN" "$@"
fi
