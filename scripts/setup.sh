#!/usr/bin/env bash
# Installs the Debian packages Tessivar needs (when missing), then configures and builds.
# Usage: [STACK=run|package|test] [TARGETS="a b"] [EXTRA_CMAKE_ARGS="-DX=Y ..."] scripts/setup.sh [build-dir]
#        (default: STACK=run, build-dir build)
set -euo pipefail
cd "$(dirname "$0")/.."

# What building and running the program needs.
PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-charts-dev libqt6charts6
  libqt6sql6-sqlite qt6-qpa-plugins libgl-dev libxkbcommon-dev
  fonts-noto-color-emoji fonts-dejavu-core fonts-symbola
  libqrencode-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
)
# STACK=package: also what making the Debian packages needs.
# STACK=test: also the test stack (a virtual X server, the hub's database,
# a load generator, a headless browser, the package checks, a private
# session bus for the desktop notifications).
case "${STACK:-run}" in
  run) ;;
  package) PACKAGES+=(dpkg-dev file) ;;
  test)
    PACKAGES+=(xvfb xauth dpkg-dev file desktop-file-utils
      libqt6sql6-psql postgresql postgresql-common wrk chromium openbox dbus-daemon) ;;
  *) echo "error: STACK must be run, package or test (not '${STACK}')" >&2; exit 1 ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
      echo "error: root rights are needed to install: ${missing[*]}" >&2; exit 1; fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

BUILD_DIR="${1:-build}"
BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
# SANITIZE=1: address and undefined-behaviour sanitizers.
# shellcheck disable=SC2086 # EXTRA_CMAKE_ARGS is a list of options
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" -DTESSIVAR_WERROR=ON \
  -DTESSIVAR_SANITIZE="$([ -n "${SANITIZE:-}" ] && echo ON || echo OFF)" ${EXTRA_CMAKE_ARGS:-}
# TARGETS (optional): build only these targets.
cmake --build "$BUILD_DIR" --parallel "$(nproc 2>/dev/null || echo 2)" ${TARGETS:+--target $TARGETS}
