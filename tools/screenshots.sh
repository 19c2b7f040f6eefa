#!/usr/bin/env bash
# Replays the demo journal in the program under a virtual X server and saves a
# picture of every window it shows, to look at colours, emoji and layout.
# Usage: tools/screenshots.sh [out-dir] [journal-file]
#   SCREEN     size of the virtual screen (default: 1920x1080)
#   BUILD_DIR  build folder holding src/app/tessivar (default: build);
#              the pictures go to $BUILD_DIR/screenshots unless out-dir is given
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
OUT="$(realpath -m "${1:-$BUILD_DIR/screenshots}")"
JOURNAL="$(realpath "${2:-data/demo/Journal.2025-06-20T213114.01.log}")"
BIN="$BUILD_DIR/src/app/tessivar"
[ -x "$BIN" ] || { echo "error: $BIN not built (set BUILD_DIR)" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "error: xvfb-run missing (package xvfb)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tessivar-shots.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/journal" "$work/data" "$OUT"
cp "$JOURNAL" "$work/journal/"
# The three stored panels open on the first pass, as a returning user has them.
printf '[windows]\r\nch_bgs=1\r\nch_cargo=1\r\nch_construct=1\r\n[Carrier]\r\nName=FUXBAU\r\n' >"$work/data/settings.ini"

xvfb-run -a -s "-screen 0 ${SCREEN:-1920x1080}x24" \
  "$BIN" --journal-dir "$work/journal" --data-dir "$work/data" --screenshot-dir "$OUT"
echo "screenshots in $OUT"
