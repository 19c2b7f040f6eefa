#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tessivar. When no game journal
# folder is found, a demo journal is written into a temporary folder over
# time, as the game would, and the program follows it.
set -euo pipefail
cd "$(dirname "$0")/.."
TARGETS="tessivar tessivar-cli tessivar-replayer" scripts/setup.sh build
BIN=build/src/app/tessivar
if ./build/src/cli/tessivar-cli journal-dirs | grep -q '^Journal folder: (none found)' && [ $# -eq 0 ]; then
  demo=$(mktemp -d "${TMPDIR:-/tmp}/tessivar-demo.XXXXXX")
  echo "No game journal found: following a demo journal in $demo"
  build/tools/replayer/tessivar-replayer --loop --head 200 --lines 4 --interval-ms 1000 data/demo/Journal.2025-06-20T213114.01.log "$demo" &
  replayer=$!
  trap 'kill $replayer 2>/dev/null || true' EXIT
  # Start following once the "game" has opened its journal.
  for _ in $(seq 50); do ls "$demo"/Journal*.log >/dev/null 2>&1 && break; sleep 0.1; done
  "$BIN" --journal-dir "$demo" --data-dir "$demo/data"
else
  "$BIN" "$@"
fi
