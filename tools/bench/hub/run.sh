#!/usr/bin/env bash
# The hub benchmark, loopback only: tools/bench/hub/run.sh [BUILD_DIR] [SECONDS]
#
# Starts tessivar-hub on a throwaway SQLite file and, when pg_virtualenv is
# installed, again on a throwaway PostgreSQL cluster; fills 200 order lines
# (a 32 KB order list) and measures, each for SECONDS (default 10):
#   add     one keep-alive client posting add_kvn (wrk, add.lua)
#   get     one keep-alive client asking get_kvn (wrk, get.lua)
#   mixed   16 keep-alive clients, 90 % get_kvn, 10 % add_kvn and update_kvn
#           (wrk --latency, mixed.lua)
#   split   one client writing each request's head and body separately
#           (bench_hub_client)
# and the hub's peak resident memory. The hub logs every request, as it does
# in service. Needs wrk and a build with the bench_hub_client target.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
inner=""
if [ "${1:-}" = "--postgres-inner" ]; then
  # Run again by pg_virtualenv below: PG* variables name the throwaway cluster.
  inner=1
  shift
fi
build=$(cd "${1:-$here/../../../build}" && pwd)
secs=${2:-10}
hub=$build/src/hub-server/tessivar-hub
client=$build/tools/bench/bench_hub_client
for tool in "$hub" "$client"; do
  [ -x "$tool" ] || { echo "missing $tool: build the tessivar-hub and bench_hub_client targets" >&2; exit 1; }
done
command -v wrk >/dev/null || { echo "wrk is not installed (apt-get install wrk)" >&2; exit 1; }

tick_us=$((1000000 / $(getconf CLK_TCK)))
cpu_us() { awk -v t="$tick_us" '{print ($14 + $15) * t}' "/proc/$1/stat"; }

# phase LABEL WRK-OPTIONS...: requests/s, latency when asked, and the hub's own
# CPU time per request (a figure that depends less on what else the machine runs).
phase() {
  local label=$1 before after out count
  shift
  before=$(cpu_us "$pid")
  out=$(wrk "$@" -d"${secs}s" "$url")
  after=$(cpu_us "$pid")
  count=$(sed -n 's/^ *\([0-9]*\) requests in.*/\1/p' <<<"$out")
  echo "-- $label: $(grep Requests/sec <<<"$out" | tr -s ' '), hub CPU $(((after - before) / (count > 0 ? count : 1))) us/request"
  grep -E "^ +(50|99)%|Non-2xx|Socket errors" <<<"$out" || true
}

suite() {  # suite LABEL DB
  local label=$1 db=$2 work port
  work=$(mktemp -d)
  # One client address sends every write here: its budget is lifted.
  "$hub" --listen 127.0.0.1:0 --db "$db" --writes-per-minute 100000 >"$work/out" 2>"$work/log" &
  pid=$!
  trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' RETURN
  for _ in $(seq 100); do grep -q listening "$work/out" && break; sleep 0.1; done
  port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/out")
  [ -n "$port" ] || { echo "the hub did not start:"; cat "$work/log"; return 1; }
  url=http://127.0.0.1:$port
  echo "== $label (load before: $(cut -d' ' -f1-3 /proc/loadavg))"
  "$client" fill "$port" 200
  sleep 0.5  # the filler's connection is gone before wrk takes the 16 slots of its address
  phase add -t1 -c1 -s "$here/add.lua"
  phase get -t1 -c1 -s "$here/get.lua"
  phase "mixed (16 clients)" -t1 -c16 --latency -s "$here/mixed.lua"
  echo "-- $("$client" split "$port" "$secs")"
  echo "-- hub peak memory: $(grep VmHWM "/proc/$pid/status" | tr -s ' ')"
}

if [ -n "$inner" ]; then
  suite "PostgreSQL ($PGHOST:$PGPORT)" "postgresql://"
  exit
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
suite "SQLite" "$dir/hub.sqlite"
if command -v pg_virtualenv >/dev/null; then
  pg_virtualenv "$0" --postgres-inner "$build" "$secs" </dev/null
else
  echo "== PostgreSQL skipped: pg_virtualenv is not installed"
fi
