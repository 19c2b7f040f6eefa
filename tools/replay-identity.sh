#!/usr/bin/env bash
# Replays every sample journal through tessivar-cli and keeps what comes out,
# so that a change meant to keep behaviour can be checked byte for byte.
#
#   tools/replay-identity.sh record CLI OUTDIR   replay each journal, write OUTDIR/<case>.out
#   tools/replay-identity.sh compare DIR1 DIR2   exit 1 on any difference between two records
#
# Each journal is replayed three ways: read whole at start, the same with the
# game's Cargo.json and Market.json beside it, and with only its first line
# read at start and the rest appended while a listener stands in for the phone
# (what the listener receives is kept too). The state dump, stderr, the exit code and
# every file the program wrote to its data folder make up a case's output.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"

usage() {
    sed -n '4,5p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

compare() {
    local a="$1" b="$2" bad=0 n=0
    [[ -d "$a" && -d "$b" ]] || usage
    if ! diff -q <(cd "$a" && ls) <(cd "$b" && ls) >/dev/null; then
        echo "the two records hold different cases:" >&2
        diff <(cd "$a" && ls) <(cd "$b" && ls) >&2 || true
        bad=1
    fi
    for f in "$a"/*.out; do
        n=$((n + 1))
        local name
        name="$(basename "$f")"
        if [[ -f "$b/$name" ]] && ! cmp -s "$f" "$b/$name"; then
            echo "differs: $name" >&2
            diff "$f" "$b/$name" | head -20 >&2 || true
            bad=1
        fi
    done
    if ((bad)); then
        echo "replay outputs differ" >&2
        exit 1
    fi
    echo "$n replay outputs identical"
}

# Listens on a free port of 127.0.0.1, writes the port to $1 once listening
# and appends what every connection sends to $2.
phone_listener() {
    exec python3 - "$1" "$2" <<'PY'
import os, socket, sys
ready, out = sys.argv[1], sys.argv[2]
srv = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
srv.bind(("127.0.0.1", 0))
srv.listen(4)
with open(ready + ".tmp", "w") as f:
    f.write(str(srv.getsockname()[1]))
os.rename(ready + ".tmp", ready)
n = 0
while True:
    conn, _ = srv.accept()
    n += 1
    with open(out, "ab") as f:
        f.write(b"--- connection %d ---\n" % n)
        f.flush()
        while True:
            data = conn.recv(65536)
            if not data:
                break
            f.write(data)
            f.flush()
    conn.close()
PY
}

journals() {
    local root
    for root in "$repo/tests/data/journal-samples" "$repo/../shared/fixtures/journal-samples"; do
        [[ -d "$root" ]] || continue
        find "$root" -maxdepth 1 -name '*.jsonl' | sort
        find "$root/journals" -name 'Journal*.log' 2>/dev/null | sort
    done
}

case_name() {
    local f="$1" tag="shared"
    [[ "$f" == "$repo/tests/data/"* ]] && tag="repo"
    local rel="${f#*journal-samples/}"
    echo "$tag-${rel//\//_}"
}

record() {
    local cli="$1" out="$2"
    [[ -x "$cli" ]] || { echo "not a program: $cli" >&2; exit 2; }
    mkdir -p "$out"
    rm -f "$out"/*.out
    # A folder of its own, so that two records can be made at once.
    local base work
    base="$(mktemp -d)"
    work="$base/case"
    local companion="$repo/tests/data/journal-samples/companion/rster2002__ed-journals__sandbox"
    local count=0 f name variant j d
    while IFS= read -r f; do
        name="$(case_name "$f")"
        for variant in plain companion phone; do
            rm -rf "$work"
            j="$work/journal" d="$work/data"
            mkdir -p "$j" "$d"
            local target="$j/$(basename "$f")"
            [[ "$f" == *.jsonl ]] && target="$j/Journal.2025-01-01T000000.01.log"
            if [[ $variant == phone ]]; then
                # History of one line, the rest read while the phone listens.
                head -n 1 "$f" >"$target"
                tail -n +2 "$f" >"$work/rest"
            else
                cp "$f" "$target"
            fi
            local args=(replay --journal-dir "$j" --data-dir "$d")
            local listener="" port=""
            if [[ $variant == companion ]]; then
                cp "$companion/Cargo.json" "$companion/Market.json" "$j/"
            elif [[ $variant == phone ]]; then
                : >"$work/phone"
                phone_listener "$work/port" "$work/phone" &
                listener=$!
                local waited=0
                while [[ ! -s "$work/port" ]] && ((waited < 100)); do
                    sleep 0.1
                    waited=$((waited + 1))
                done
                port="$(cat "$work/port")"
                args+=(--mobile "127.0.0.1:$port")
            fi
            args+=(--dump)
            if [[ $variant == phone ]]; then
                args+=(--append "$work/rest")
            else
                args+=(--pass)
            fi
            local rc=0
            "$cli" "${args[@]}" >"$work/stdout" 2>"$work/stderr" || rc=$?
            [[ -n "$listener" ]] && { sleep 0.5; kill "$listener" 2>/dev/null || true; wait "$listener" 2>/dev/null || true; }
            {
                echo "== exit $rc"
                echo "== stdout"
                cat "$work/stdout"
                echo "== stderr"
                cat "$work/stderr"
                if [[ $variant == phone ]]; then
                    echo "== phone"
                    cat "$work/phone"
                fi
                local g
                while IFS= read -r g; do
                    echo "== data ${g#"$d"/}"
                    cat "$g"
                done < <(find "$d" -type f | sort)
            } | sed -e "s#$work#WORK#g" ${port:+-e "s#\b$port\b#PORT#g"} >"$out/$name.$variant.out"
            count=$((count + 1))
        done
    done < <(journals)
    rm -rf "$base"
    echo "$count replay outputs written to $out"
}

case "${1:-}" in
    record) [[ $# -eq 3 ]] || usage; record "$2" "$3" ;;
    compare) [[ $# -eq 3 ]] || usage; compare "$2" "$3" ;;
    *) usage ;;
esac
