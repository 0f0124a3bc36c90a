#!/usr/bin/env bash
# Counts the instructions of one read of the benchmarks' purchase order into
# objects, for vxxml and for the peer toolkits, beside those of expat's bare
# parse of the same text, with callgrind. A count does not move with the
# load of a shared machine the way a time does, so the ratio here tells a
# change of a few percent apart where the timed ratios of scripts/bench.sh
# cannot; what a time ratio adds to it is how fast the machine runs each
# kind of code. Each pass runs once under valgrind (about a minute in all).
#   scripts/bench-instructions.sh        build (scripts/build-bench.sh) and count
#   scripts/bench-instructions.sh --no-build   count with build-bench/ as it is
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ "${1:-}" != "--no-build" ]]; then
  bash scripts/setup.sh
  bash scripts/build-bench.sh >&2
fi
if ! command -v valgrind >/dev/null; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  { $SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y \
      --no-install-recommends valgrind; } >&2
fi

work=$(mktemp -d /tmp/vxxml-count.XXXXXX)
trap 'rm -rf "$work"' EXIT

# count EXECUTABLE BENCHMARK FUNCTION: instructions per iteration of the
# benchmark spent in FUNCTION (a callgrind name pattern), or nothing when the
# executable is missing or the run fails.
count() {
  local exe="build-bench/bench/$1"
  [[ -x "$exe" ]] || return 0
  valgrind --tool=callgrind --callgrind-out-file=/dev/null --toggle-collect="$3" \
    "$exe" --benchmark_filter="^$2\$" --benchmark_min_time=0.001 --benchmark_format=json \
    >"$work/out.json" 2>"$work/err.txt" || return 0
  python3 - "$work/out.json" "$work/err.txt" <<'EOF'
import json, re, sys
runs = [b for b in json.load(open(sys.argv[1]))["benchmarks"] if "error_occurred" not in b]
found = re.search(r"Collected : (\d+)", open(sys.argv[2]).read())
if runs and found and runs[0]["iterations"] > 0:
    print(int(found.group(1)) // runs[0]["iterations"])
EOF
}

row() {  # row LABEL EXECUTABLE BENCHMARK
  local read expat
  read=$(count "$2" "$3" '*ReadOnce*')
  expat=$(count "$2" BM_ExpatBareParse 'expatbaseline::Parse*')
  if [[ -z "$read" || -z "$expat" ]]; then
    printf '  %-28s not counted (not built, or the run failed)\n' "$1"
    return
  fi
  python3 -c 'import sys; r, e = int(sys.argv[2]), int(sys.argv[3]); print("  %-28s %9.1f M  %9.1f M  %5.2f" % (sys.argv[1], r / 1e6, e / 1e6, e / r))' \
    "$1" "$read" "$expat"
}

echo "Instructions per read of the purchase order into objects (callgrind, one pass)"
printf '  %-28s %11s  %11s  %5s\n' "" "read" "expat bare" "ratio"
row "vxxml  text -> objects" generated_read_bench BM_ReadIntoObjects
row "gSOAP  text -> objects" peer_gsoap_bench BM_GsoapReadIntoObjects
row "XSD    text -> objects" peer_xsd_bench BM_XsdReadIntoObjects
