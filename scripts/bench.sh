#!/usr/bin/env bash
# Sets everything up, builds vxxml and its benchmarks optimised (Release, in
# build-bench/, the library from profile feedback unless BENCH_PGO=0: see
# scripts/build-bench.sh), runs every benchmark and prints a table of the headline
# figures, the side-by-side rows of the peer toolkits (gSOAP and CodeSynthesis
# XSD, installed here with apt-get if missing), then every benchmark's key
# figure.
#   scripts/bench.sh              all benchmarks
#   scripts/bench.sh PATTERN      only the executables whose name contains PATTERN
#                                 ("memory": only the peak memory of reading;
#                                 "instructions": only the instruction counts)
# Each benchmark runs BENCH_REPETITIONS times (default 5) for at least
# BENCH_MIN_TIME seconds (default 0.2) and the report shows the fastest: more
# of either gives steadier figures on a busy machine. The repetitions of the
# benchmarks of one executable run in a random order, so that a stretch of
# slower machine falls on a ratio's both sides (expat's parse and the read it
# is compared with) rather than on one. The whole run takes two to four
# minutes on two cores, and the instruction counts at the end (callgrind,
# scripts/bench-instructions.sh) two more. The raw results stay in
# build-bench/results/.
set -euo pipefail
cd "$(dirname "$0")/.."
pattern="${1:-}"
min_time="${BENCH_MIN_TIME:-0.2}"
repetitions="${BENCH_REPETITIONS:-5}"
bash scripts/setup.sh
# The peer toolkits of the side-by-side rows (bench/peers): only the benchmarks
# need them, so they are installed here and not by setup.sh. Without them the
# peer benchmarks are not built and the report says so.
peers=(gsoap libgsoap-dev xsdcxx libxerces-c-dev)
missing=()
for p in "${peers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  { $SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y \
      --no-install-recommends "${missing[@]}"; } >&2 ||
    echo "bench.sh: could not install ${missing[*]}; the peer rows are left out" >&2
fi
bash scripts/build-bench.sh

results=build-bench/results
rm -rf "$results"
mkdir -p "$results"
for exe in build-bench/bench/*_bench; do
  name="$(basename "$exe")"
  [[ -n "$pattern" && "$name" != *"$pattern"* ]] && continue
  echo "running $name" >&2
  # A failing executable still leaves its (possibly partial) JSON for the report.
  "$exe" --benchmark_min_time="$min_time" --benchmark_repetitions="$repetitions" \
    --benchmark_enable_random_interleaving=true --benchmark_format=json >"$results/$name.json" ||
    echo "$name failed (status $?)" >&2
done
echo >&2
if compgen -G "$results/*.json" >/dev/null; then
  python3 scripts/bench_table.py "$results"/*.json
fi

# Peak memory of reading an order ten times the benchmarks' (about 100 MB of
# text) into the classes, as a whole process, from text and from Fast
# Infoset; the ratio is to the size of the text.
if [[ -z "$pattern" || "memory" == *"$pattern"* ]]; then
  big=$(mktemp -d /tmp/vxxml-bench.XXXXXX)
  build-bench/bench/bench_order "$big/order.xml" 10
  build-bench/bench/bench_order "$big/order.fi" 10 --fi
  text_size=$(stat -c %s "$big/order.xml")
  echo
  echo "Peak memory reading the order of about 100 MB into objects (x the text's size)"
  echo "  text          $(build-bench/bench/read_order "$big/order.xml")"
  echo "  Fast Infoset  $(build-bench/bench/read_order "$big/order.fi" "$text_size")"
  rm -rf "$big"
fi

# The headline reads' instructions against expat's, which the load of a
# shared machine does not move.
if [[ -z "$pattern" || "instructions" == *"$pattern"* ]]; then
  echo
  bash scripts/bench-instructions.sh --no-build
fi
