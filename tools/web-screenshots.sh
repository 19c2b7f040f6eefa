#!/usr/bin/env bash
# Pictures of the "Share to browser" page as a phone (360x780, and 360x2400 for
# the whole page) and a desktop browser (1280x800) show it: runs the program on the demo journal with
# sharing on (this computer only) and a loading list, asks for one search,
# and has headless chromium take the pictures.
# Usage: tools/web-screenshots.sh OUT-DIR [journal-file]
#   BUILD_DIR  build folder holding src/app/tessivar (default: build)
#   PORT       port of the page (default: 18899)
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { echo "usage: $0 OUT-DIR [journal-file]" >&2; exit 2; }
OUT="$(realpath -m "$1")"
JOURNAL="$(realpath "${2:-data/demo/Journal.2025-06-20T213114.01.log}")"
BUILD_DIR="${BUILD_DIR:-build}"
BIN="$BUILD_DIR/src/app/tessivar"
PORT="${PORT:-18899}"
TOKEN=0f1e2d3c4b5a69788796a5b4c3d2e1f0
URL="http://127.0.0.1:$PORT/$TOKEN/"
[ -x "$BIN" ] || { echo "error: $BIN not built (set BUILD_DIR)" >&2; exit 1; }
command -v chromium >/dev/null || { echo "error: chromium missing (package chromium)" >&2; exit 1; }
command -v curl >/dev/null || { echo "error: curl missing" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tessivar-web-shots.XXXXXX")
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/journal" "$work/data" "$work/profile" "$OUT"
cp "$JOURNAL" "$work/journal/"
printf '[web]\r\nshare=1\r\nlocal_only=1\r\nport=%s\r\ntoken=%s\r\n' "$PORT" "$TOKEN" >"$work/data/settings.ini"
printf '[zaladunek]\r\nSteel=4200\r\nAluminium=1630\r\nCeramic Composites=512\r\nCMM Composite=3300\r\nInsulating Membrane=270\r\nLiquid oxygen=1200\r\nWater=865\r\n' \
  >"$work/data/zaladunek.ini"
# A construction site the player docked at before (the depot of the demo journal), for the "Still to buy" panel.
mkdir -p "$work/data/constructions"
printf '[INFO]\r\nPostep=42\r\nStationName=Planetary Construction Site: Zhao Drilling Base\r\nStarSystem=Col 285 Sector PY-Y b14-3\r\n[MATS]\r\nAluminium=0\r\nBioreducing Lichen=167\r\nCeramic Composites=57\r\nLiquid oxygen=181\r\nPolymers=115\r\nSteel=450\r\n' \
  >"$work/data/constructions/4256179715.ini"

QT_QPA_PLATFORM=offscreen "$BIN" --journal-dir "$work/journal" --data-dir "$work/data" >"$work/app.log" 2>&1 &
app=$!
# The page answers once the program runs; the first journal pass follows about a second later.
for _ in $(seq 1 100); do
  curl -sf -o /dev/null "$URL" && break
  sleep 0.2
done
curl -sf -o /dev/null "$URL" || { echo "error: the page did not answer; program log:" >&2; cat "$work/app.log" >&2; exit 1; }
sleep 3
curl -sf -X POST --data-binary 'Steel' "${URL}find" || true

# The tall phone picture shows the panels below the first screen too.
for size in 360x780 1280x800 360x2400; do
  chromium --headless --no-sandbox --disable-gpu --no-first-run --hide-scrollbars \
    --user-data-dir="$work/profile" --window-size="${size/x/,}" \
    --screenshot="$OUT/web-$size.png" "$URL" >/dev/null 2>&1
done
echo "screenshots in $OUT"
ls -l "$OUT"/web-*.png
