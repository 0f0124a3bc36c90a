#!/usr/bin/env bash
# Conversion speed of the command-line tool beside the reference Fast Infoset
# implementation (Java, Debian's libfastinfoset-java), on the benchmarks'
# purchase order of about 10 MB, in one run.
#
#   scripts/convert-speed.sh [ROUNDS] [JAVA_SECONDS] [WORK_DIR]
#
# Builds the optimised tree of scripts/bench.sh (build-bench/), writes the
# order with bench_order, then times
#   vxxml convert doc.xml doc.fi --to fi     XML text -> Fast Infoset
#   vxxml convert doc.fi doc.xml             Fast Infoset -> XML text
#   expat_parse doc.xml                      expat alone, empty handlers
# as whole processes, files included: the best of ROUNDS (default 5) wall
# times. The Java side (bench/reference/ConvertSpeed.java) converts the same
# files in one process, reading and writing a file each round, for
# JAVA_SECONDS (default 20) per direction: the first half warms the JIT up,
# the best round of the second half counts. MB/s are of the XML text's size.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
java_seconds=${2:-20}
work=${3:-$(mktemp -d /tmp/vxxml-speed.XXXXXX)}
mkdir -p "$work"

bash scripts/setup.sh > /dev/null
cmake --preset bench > /dev/null
cmake --build --preset bench -j "$(nproc)" --target vxxml_tool bench_order expat_parse > /dev/null
tool=build-bench/tools/vxxml
build-bench/bench/bench_order "$work/doc.xml"
"$tool" convert "$work/doc.xml" "$work/doc.fi" --to fi

jar=/usr/share/java/FastInfoset.jar
mkdir -p build-bench/reference
javac -nowarn -cp "$jar" -d build-bench/reference bench/reference/ConvertSpeed.java

xml_bytes=$(stat -c %s "$work/doc.xml")
fi_bytes=$(stat -c %s "$work/doc.fi")
best() {  # best wall time in seconds of ROUNDS runs of a command
  local b=""
  for _ in $(seq "$rounds"); do
    local t0 t1
    t0=$(date +%s.%N); "$@" > /dev/null; t1=$(date +%s.%N)
    b=$(echo "$t0 $t1 ${b:-1e9}" | awk '{ t = $2 - $1; print (t < $3) ? t : $3 }')
  done
  echo "$b"
}
to_fi=$(best "$tool" convert "$work/doc.xml" "$work/vx.fi" --to fi)
to_xml=$(best "$tool" convert "$work/doc.fi" "$work/vx.xml" --to xml)
bare=$(best build-bench/bench/expat_parse "$work/doc.xml")

echo "document: $xml_bytes bytes of XML text, $fi_bytes bytes of Fast Infoset (vxxml's)"
echo "vxxml convert, whole process, best of $rounds:"
awk -v t="$to_fi" -v n="$xml_bytes" 'BEGIN { printf "XML -> FI    best %7.1f ms  %6.1f MB/s\n", t * 1e3, n / t / 1e6 }'
awk -v t="$to_xml" -v n="$xml_bytes" 'BEGIN { printf "FI -> XML    best %7.1f ms  %6.1f MB/s\n", t * 1e3, n / t / 1e6 }'
echo "expat alone (empty handlers), whole process, best of $rounds:"
awk -v t="$bare" -v n="$xml_bytes" 'BEGIN { printf "XML parse    best %7.1f ms  %6.1f MB/s\n", t * 1e3, n / t / 1e6 }'
echo "reference implementation (Java $(java -version 2>&1 | head -1 | cut -d'"' -f2)), in process, warm:"
java -cp "$jar:build-bench/reference" ConvertSpeed "$work/doc.xml" "$work/doc.fi" "$work" "$java_seconds"
echo "reference's own Fast Infoset: $(stat -c %s "$work/java.fi") bytes"
