#!/usr/bin/env bash
# Replays the demo journal in the program under a virtual X server with a
# window manager (openbox, so frames and title bars are real) and saves a
# picture of every window at each screen size, to look at layout, colours and
# emoji.
# Usage: tools/screenshots.sh [out-dir] [journal-file]
#   SCREENS    sizes of the virtual screen (default: "1280x800 1366x768 1920x1080")
#   BUILD_DIR  build folder holding src/app/tessivar (default: build);
#              the pictures go to $BUILD_DIR/screenshots/<size>/ unless out-dir is given
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
OUT="$(realpath -m "${1:-$BUILD_DIR/screenshots}")"
JOURNAL="$(realpath "${2:-data/demo/Journal.2025-06-20T213114.01.log}")"
BIN="$(realpath -m "$BUILD_DIR/src/app/tessivar")"
[ -x "$BIN" ] || { echo "error: $BIN not built (set BUILD_DIR)" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "error: xvfb-run missing (package xvfb)" >&2; exit 1; }
command -v openbox >/dev/null || { echo "error: openbox missing (package openbox)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tessivar-shots.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The real X server under xvfb, whatever a test environment set.
export QT_QPA_PLATFORM=xcb
for size in ${SCREENS:-1280x800 1366x768 1920x1080}; do
  rm -rf "$work/journal" "$work/data"
  mkdir -p "$work/journal" "$work/data" "$OUT/$size"
  cp "$JOURNAL" "$work/journal/"
  # The three stored panels open on the first pass, as a returning user has them.
  printf '[windows]\r\nch_bgs=1\r\nch_cargo=1\r\nch_construct=1\r\n[Carrier]\r\nName=FUXBAU\r\n' \
    >"$work/data/settings.ini"
  # The window manager first, so the program's first placement meets real frames.
  xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    openbox >/dev/null 2>&1 & wm=$!
    sleep 1
    "$@"; rc=$?
    kill "$wm" 2>/dev/null
    exit "$rc"' screenshots "$BIN" --journal-dir "$work/journal" --data-dir "$work/data" \
    --screenshot-dir "$OUT/$size"
done
echo "screenshots in $OUT"
