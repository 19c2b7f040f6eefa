#!/usr/bin/env bash
# Installs tessivar_*.deb and tessivar-hub_*.deb with apt-get on a clean Debian 12
# (bookworm) root made by debootstrap, and checks them as a player and an
# administrator would. Needs root. The bootstrapped root is kept as a tarball in
# $TESSIVAR_ROOT_CACHE (default /var/cache/tessivar-install-test) for the next run,
# with the packages apt downloads.
# The Debian mirror is the one apt on this machine uses for bookworm
# ($TESSIVAR_DEBIAN_MIRROR overrides it).
# Usage: tests/install/debian_install_test.sh PACKAGE-FOLDER
set -uo pipefail

PKG_DIR=$(cd "${1:?usage: $0 PACKAGE-FOLDER}" && pwd)
CACHE=${TESSIVAR_ROOT_CACHE:-/var/cache/tessivar-install-test}
BASE="$CACHE/bookworm-minbase.tar"

skip() {
  echo "install test skipped: $*"
  echo "0 passed, 0 failed, 1 skipped"
  exit 0
}

[ "$(id -u)" -eq 0 ] || skip "it needs root (debootstrap and chroot)"
shopt -s nullglob
app_debs=("$PKG_DIR"/tessivar_*.deb)
hub_debs=("$PKG_DIR"/tessivar-hub_*.deb)
[ "${#app_debs[@]}" -eq 1 ] && [ "${#hub_debs[@]}" -eq 1 ] || {
  echo "error: expected one tessivar_*.deb and one tessivar-hub_*.deb in $PKG_DIR" >&2
  exit 1
}

# The first archive that apt on this machine reads bookworm from, in either sources format.
host_mirror() {
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) while ($i !~ /\]$/) i++; if ($2 ~ /^\[/) i++;
                       if ($(i + 1) == "bookworm") { print $i; exit } }'
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk 'function flush() { if (uri != "" && suites ~ /(^| )bookworm( |$)/) { print uri; exit } uri = ""; suites = "" }
         /^[[:space:]]*$/ { flush(); next }
         $1 == "URIs:" { uri = $2 }
         $1 == "Suites:" { $1 = ""; suites = $0 " " }
         END { flush() }'
}
MIRROR=${TESSIVAR_DEBIAN_MIRROR:-$(host_mirror | head -n1)}
[ -n "$MIRROR" ] || MIRROR=http://deb.debian.org/debian

if [ ! -f "$BASE" ]; then
  if ! command -v debootstrap >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap >/dev/null ||
      skip "debootstrap cannot be installed"
  fi
  mkdir -p "$CACHE"
  fresh=$(mktemp -d "$CACHE/bootstrap.XXXXXX")
  echo "Bootstrapping Debian 12 from $MIRROR (once; cached in $BASE)"
  if ! debootstrap --variant=minbase bookworm "$fresh" "$MIRROR" >"$CACHE/debootstrap.log" 2>&1; then
    rm -rf "$fresh"
    skip "debootstrap could not make a Debian 12 root here (see $CACHE/debootstrap.log)"
  fi
  tar -C "$fresh" -cf "$BASE.part" . && mv "$BASE.part" "$BASE"
  rm -rf "$fresh"
fi

ROOT=$(mktemp -d "$CACHE/root.XXXXXX")
HUB_PID=
cleanup() {
  [ -n "$HUB_PID" ] && kill "$HUB_PID" 2>/dev/null
  umount "$ROOT/var/cache/apt/archives" "$ROOT/dev" "$ROOT/proc" 2>/dev/null
  rm -rf --one-file-system "$ROOT"
}
trap cleanup EXIT
tar -C "$ROOT" -xf "$BASE"
# mktemp made the root 0700: the hub's own user must be able to walk it, as on a real machine.
chmod 755 "$ROOT"
mount -t proc proc "$ROOT/proc" && mount --bind /dev "$ROOT/dev" || skip "this machine cannot mount inside a chroot"
# Downloaded packages are kept for the next run; the root itself is always fresh.
mkdir -p "$CACHE/apt-archives/partial"
mount --bind "$CACHE/apt-archives" "$ROOT/var/cache/apt/archives"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf" 2>/dev/null
echo "deb $MIRROR bookworm main" >"$ROOT/etc/apt/sources.list"
mkdir -p "$ROOT/tmp/packages"
cp "${app_debs[0]}" "${hub_debs[0]}" "$ROOT/tmp/packages/"

in_root() { chroot "$ROOT" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

passed=0
failed=0
check() {
  local name=$1
  shift
  if "$@"; then
    echo "PASS: $name"
    passed=$((passed + 1))
  else
    echo "FAIL: $name"
    failed=$((failed + 1))
  fi
}

apt_install() {
  in_root sh -c "cd /tmp/packages && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $1" >"$ROOT/tmp/apt-$2.log" 2>&1 ||
    { tail -n 30 "$ROOT/tmp/apt-$2.log"; return 1; }
}
in_root apt-get update -q >/dev/null 2>&1 || { echo "FAIL: apt-get update in the clean root"; exit 1; }
check "apt-get install ./tessivar_*.deb" apt_install './tessivar_*.deb' app
check "apt-get install ./tessivar-hub_*.deb" apt_install './tessivar-hub_*.deb' hub

# The player's side.
demo_replay() {
  local last
  last=$(in_root tessivar-cli replay --journal-dir /usr/share/tessivar/demo --data-dir /tmp/demo-data | tail -n1)
  grep -q '"journal_file":"Journal.2025-06-20T213114.01.log"' <<<"$last" &&
    grep -q '"last_time":"2025-06-20T21:26:27Z"' <<<"$last" &&
    grep -q '"StarSystem":"Col 285 Sector PY-Y b14-3"' <<<"$last" &&
    grep -q '"dane_CMDR":{"Name":"VLADHC"}' <<<"$last" && grep -q '"CargoCapacity":224,' <<<"$last" || { echo "$last" | head -c 600; return 1; }
}
check "tessivar-cli replay of the installed demo journal ends in the demo's state" demo_replay
check "tessivar --help starts (offscreen)" sh -c "chroot '$ROOT' env QT_QPA_PLATFORM=offscreen HOME=/root tessivar --help | grep -q -- '--demo'"
check "tessivar speaks Polish for LANGUAGE=pl and LANG=pl_PL.UTF-8" sh -c "chroot '$ROOT' env QT_QPA_PLATFORM=offscreen HOME=/root LANGUAGE=pl tessivar --help | grep -q 'Folder dziennika' && chroot '$ROOT' env QT_QPA_PLATFORM=offscreen HOME=/root LANG=pl_PL.UTF-8 tessivar --help | grep -q 'Folder dziennika'"
check "data go to the per-user folder, not /usr/bin (root can write it)" \
  sh -c "chroot '$ROOT' env HOME=/root tessivar-cli journal-dirs | grep -qx 'Program data folder: /root/.local/share/Tessivar/'"
check "the desktop entry and icons are installed" \
  test -f "$ROOT/usr/share/applications/tessivar.desktop" -a -f "$ROOT/usr/share/icons/hicolor/256x256/apps/tessivar.png"
check "dependencies come from the linked libraries" \
  sh -c "dpkg-deb -f '${app_debs[0]}' Depends | grep -q libqt6widgets6 && dpkg-deb -f '${hub_debs[0]}' Depends | grep -q libqt6sql6"

# The administrator's side.
check "system user tessivar-hub without a login" sh -c "chroot '$ROOT' getent passwd tessivar-hub | grep -q ':/usr/sbin/nologin\$'"
check "state directory /var/lib/tessivar-hub belongs to it" \
  sh -c "[ \"\$(chroot '$ROOT' stat -c '%U:%G %a' /var/lib/tessivar-hub)\" = 'tessivar-hub:tessivar-hub 750' ]"
check "the service is installed" test -f "$ROOT/usr/lib/systemd/system/tessivar-hub.service"
off_until_enabled() {
  local links=("$ROOT"/etc/systemd/system/*/tessivar-hub.service)  # empty when none (nullglob)
  [ "${#links[@]}" -eq 0 ] || { printf '%s\n' "${links[@]}"; return 1; }
}
check "the service is off until enabled" off_until_enabled

hub_serves() {
  local out="$ROOT/tmp/hub.out" port reply
  chroot --userspec=tessivar-hub:tessivar-hub "$ROOT" /usr/bin/env -i HOME=/var/lib/tessivar-hub \
    /usr/bin/tessivar-hub --listen 127.0.0.1:0 --db /var/lib/tessivar-hub/hub.sqlite >"$out" 2>&1 &
  HUB_PID=$!
  for _ in $(seq 100); do grep -q '^listening on ' "$out" && break; sleep 0.1; done
  port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$out" | head -n1)
  [ -n "$port" ] || { cat "$out"; return 1; }
  exec 3<>"/dev/tcp/127.0.0.1/$port" || return 1
  printf 'POST /ED/KVN.php HTTP/1.1\r\nHost: localhost\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 17\r\nConnection: close\r\n\r\nact=check_version' >&3
  reply=$(timeout 10 cat <&3)
  exec 3<&-
  kill "$HUB_PID" && wait "$HUB_PID" 2>/dev/null
  HUB_PID=
  grep -q '^HTTP/1.1 200' <<<"$reply" && [ "$(chroot "$ROOT" stat -c %U /var/lib/tessivar-hub/hub.sqlite)" = tessivar-hub ] ||
    { echo "$reply"; cat "$out"; return 1; }
}
check "the hub runs as tessivar-hub and keeps its database in the state directory" hub_serves

apt_get() { in_root env DEBIAN_FRONTEND=noninteractive apt-get -y -q "$@" >"$ROOT/tmp/apt-$1.log" 2>&1 || { tail -n 30 "$ROOT/tmp/apt-$1.log"; return 1; }; }
check "apt-get remove of both packages" apt_get remove tessivar tessivar-hub
check "dpkg --purge of both packages" in_root dpkg --purge tessivar tessivar-hub
check "the order database outlives the purge" test -f "$ROOT/var/lib/tessivar-hub/hub.sqlite"
check "no enablement is left behind" off_until_enabled

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
