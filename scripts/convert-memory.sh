#!/usr/bin/env bash
# Peak memory of the command-line tool on a large document.
#
#   scripts/convert-memory.sh [SIZE_MB] [WORK_DIR]
#
# Generates a purchase-order document of about SIZE_MB megabytes (default 100)
# in WORK_DIR (default a fresh directory under /tmp), then runs, each under
# /usr/bin/time -v:
#   vxxml convert doc.xml doc.fi --to fi      text -> Fast Infoset
#   vxxml convert doc.fi back.xml             Fast Infoset -> text
#   vxxml info doc.xml / vxxml info doc.fi
# and checks that the text that came back holds the same infoset as the
# original: both are converted to unindented text without declaration and
# compared byte for byte. Prints sizes, times and peak resident memory, also as
# a multiple of the document's size. Uses build/tools/vxxml (the default
# preset); VXXML=path overrides it. Needs about 4 x SIZE_MB of free disk.
set -euo pipefail
cd "$(dirname "$0")/.."

size_mb=${1:-100}
work=${2:-$(mktemp -d /tmp/vxxml-memory.XXXXXX)}
tool=${VXXML:-build/tools/vxxml}
mkdir -p "$work"

if [ ! -x "$tool" ]; then
  cmake --preset default > /dev/null
  cmake --build --preset default -j2 --target vxxml_tool
fi
if [ ! -x /usr/bin/time ]; then
  echo "convert-memory.sh: needs /usr/bin/time (Debian/Ubuntu: apt-get install time)" >&2
  exit 1
fi

# ---- the document -------------------------------------------------------------
# Purchase orders of about 1.3 kB each: two namespaces besides the default one,
# attributes on most elements, an xsi:nil, non-ASCII text, escaped characters
# and the layout whitespace of an indented file.
doc=$work/doc.xml
LC_ALL=C awk -v target=$((size_mb * 1000 * 1000)) 'BEGIN {
  print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
  print "<po:orders xmlns:po=\"http://www.example.com/PO1\" xmlns=\"urn:example:shop\""
  print "           xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" created=\"2026-10-20T08:00:00Z\">"
  split("Lawnmower|Baby Monitor|Café table — “Örebro”|Garden hose, 25 m|Tom &amp; Jerry DVD|&lt;Spare&gt; blade", names, "|")
  split("Mill Valley|Old Town|Zürich|São Paulo|Kraków", cities, "|")
  bytes = 0
  for (n = 1; bytes < target; ++n) {
    s = sprintf("  <po:purchaseOrder id=\"PO-%07d\" orderDate=\"2026-%02d-%02d\" priority=\"%d\">\n", n, n % 12 + 1, n % 28 + 1, n % 3)
    s = s sprintf("    <shipTo country=\"US\">\n      <name>Customer %d</name>\n      <street>%d Maple Street</street>\n", n, n % 997)
    s = s sprintf("      <city>%s</city>\n      <state>CA</state>\n      <zip>%05d</zip>\n    </shipTo>\n", cities[n % 5 + 1], n % 100000)
    s = s sprintf("    <billTo country=\"DE\">\n      <name>Billing %d</name>\n      <street>Hauptstraße %d</street>\n", n, n % 211)
    s = s sprintf("      <city>%s</city>\n      <zip>%05d</zip>\n    </billTo>\n", cities[(n + 2) % 5 + 1], (n * 7) % 100000)
    s = s sprintf("    <po:comment>Order %d: hurry, my lawn is going wild!</po:comment>\n    <items>\n", n)
    for (i = 0; i < 3; ++i) {
      k = (n + i) % 6 + 1
      s = s sprintf("      <item partNum=\"%03d-%s\" line=\"%d\">\n", (n * 31 + i) % 1000, i == 1 ? "AA" : "BX", i + 1)
      s = s sprintf("        <productName>%s</productName>\n", names[k])
      s = s sprintf("        <quantity>%d</quantity>\n        <USPrice currency=\"USD\">%d.%02d</USPrice>\n", i + 1, (n * 13 + i) % 500, n % 100)
      if (i == 2) s = s "        <shipDate xsi:nil=\"true\"/>\n"
      else s = s sprintf("        <shipDate>2026-12-%02d</shipDate>\n", (n + i) % 28 + 1)
      s = s "      </item>\n"
    }
    s = s "    </items>\n  </po:purchaseOrder>\n"
    printf "%s", s
    bytes += length(s)
  }
  print "</po:orders>"
}' > "$doc"

# ---- the runs -----------------------------------------------------------------
doc_bytes=$(stat -c %s "$doc")
results=()

# run LABEL OUTPUT_FILE_OR_- ARGS...: runs the tool under /usr/bin/time -v.
run() {
  local label=$1 out=$2
  shift 2
  local log=$work/time.log
  if ! /usr/bin/time -v -o "$log" "$tool" "$@" > "$work/stdout.txt"; then
    echo "convert-memory.sh: '$label' failed" >&2
    exit 1
  fi
  local rss_kb elapsed out_bytes
  rss_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")
  elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$log")
  out_bytes=-
  [ "$out" != - ] && out_bytes=$(stat -c %s "$out")
  results+=("$(printf '%-34s %12s %9s %10.1f %8.2f' "$label" "$out_bytes" "$elapsed" \
    "$(echo "$rss_kb" | awk '{print $1 / 1024}')" \
    "$(echo "$rss_kb $doc_bytes" | awk '{print $1 * 1024 / $2}')")")
}

run "convert text -> FI" "$work/doc.fi" convert "$doc" "$work/doc.fi" --to fi
run "convert FI -> text" "$work/back.xml" convert "$work/doc.fi" "$work/back.xml"
run "info text" - info "$doc"
cp "$work/stdout.txt" "$work/info-text.txt"
run "info FI" - info "$work/doc.fi"
cp "$work/stdout.txt" "$work/info-fi.txt"
run "convert text -> unindented text" "$work/canon-original.xml" \
  convert "$doc" "$work/canon-original.xml" --no-decl
run "convert back -> unindented text" "$work/canon-back.xml" \
  convert "$work/back.xml" "$work/canon-back.xml" --no-decl

echo "document: $doc ($doc_bytes bytes); Fast Infoset: $(stat -c %s "$work/doc.fi") bytes"
printf '%-34s %12s %9s %10s %8s\n' "command" "output bytes" "time" "peak MiB" "x doc"
printf '%s\n' "${results[@]}"
echo
# The counts of both info runs, without the lines that differ by form.
if diff <(grep -vE '^(file|form|encoding|size):' "$work/info-text.txt") \
        <(grep -vE '^(file|form|encoding|size):' "$work/info-fi.txt") > /dev/null; then
  echo "info: same counts for text and Fast Infoset"
else
  echo "info: the counts DIFFER"; diff "$work/info-text.txt" "$work/info-fi.txt" || true
  exit 1
fi
grep -E '^(elements|attributes|texts|depth|distinct names|namespaces):' "$work/info-text.txt"
if cmp -s "$work/canon-original.xml" "$work/canon-back.xml"; then
  echo "round trip: same infoset (unindented texts identical)"
else
  echo "round trip: the infoset CHANGED (see $work/canon-*.xml)"
  exit 1
fi
echo "files are in $work"
