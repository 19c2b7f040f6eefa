#!/usr/bin/env bash
# Plays the live demo in the program under a virtual X server with a window
# manager (openbox, so frames and title bars are real) and, after it has run
# for a while, saves a picture of every window at each screen size, to look at
# layout, colours and emoji. Given a journal file, replays that instead.
# Usage: tools/screenshots.sh [out-dir] [journal-file]
#   SCREENS    sizes of the virtual screen (default: "1280x800 1366x768 1920x1080")
#   SECONDS_LIVE  how long the live demo plays before the pictures (default: 120)
#   LANGUAGE   the windows' language as the program reads it (LANGUAGE=pl: Polish,
#              LANGUAGE=en: English; default: the locale's)
#   BUILD_DIR  build folder holding src/app/tessivar (default: build);
#              the pictures go to $BUILD_DIR/screenshots/<size>/ unless out-dir is given
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
OUT="$(realpath -m "${1:-$BUILD_DIR/screenshots}")"
JOURNAL="${2:+$(realpath "$2")}"
DEMO="$(realpath data/demo/live)"
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
  if [ -n "$JOURNAL" ]; then
    cp "$JOURNAL" "$work/journal/"
    # The three stored panels open on the first pass, as a returning user has them.
    printf '[windows]\r\nch_bgs=1\r\nch_cargo=1\r\nch_construct=1\r\n[Carrier]\r\nName=FUXBAU\r\n' \
      >"$work/data/settings.ini"
    source_args=(--journal-dir "$work/journal")
  else
    source_args=(--demo-folder "$DEMO" --screenshot-after "${SECONDS_LIVE:-120}")
  fi
  # The window manager first, so the program's first placement meets real frames.
  xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    openbox >/dev/null 2>&1 & wm=$!
    sleep 1
    "$@"; rc=$?
    kill "$wm" 2>/dev/null
    exit "$rc"' screenshots "$BIN" "${source_args[@]}" --data-dir "$work/data" \
    --screenshot-dir "$OUT/$size"
done
echo "screenshots in $OUT"
