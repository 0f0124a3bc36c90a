#!/usr/bin/env bash
# Builds the benchmarks' tree (the "bench" preset: Release, in build-bench/),
# the library from profile feedback (VXXML_PGO in CMakeLists.txt) unless
# BENCH_PGO=0: built once to record a profile, run on the training below,
# built again from what the run recorded. The training is the benchmarks'
# purchase order (about 10 MB) written from objects and read back into
# objects, as text and as Fast Infoset, by bench/bench_order and
# bench/read_order. The application side (the generated classes, the
# benchmarks themselves) is built as usual either way.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
if [[ "${BENCH_PGO:-1}" == "0" ]]; then
  cmake --preset bench -DVXXML_PGO= >/dev/null
  cmake --build --preset bench -j "$(nproc)"
  exit 0
fi
cmake --preset bench -DVXXML_PGO=generate >/dev/null
cmake --build --preset bench -j "$(nproc)"
rm -rf "$build/pgo-profile"
train=$(mktemp -d /tmp/vxxml-train.XXXXXX)
trap 'rm -rf "$train"' EXIT
"$build/bench/bench_order" "$train/order.xml" 1
"$build/bench/bench_order" "$train/order.fi" 1 --fi
"$build/bench/read_order" "$train/order.xml" >/dev/null
"$build/bench/read_order" "$train/order.fi" "$(stat -c %s "$train/order.xml")" >/dev/null
cmake --preset bench -DVXXML_PGO=use >/dev/null
cmake --build --preset bench -j "$(nproc)"
