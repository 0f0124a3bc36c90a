#!/usr/bin/env bash
# Peak memory of the streaming conversions on a large document.
#
#   scripts/stream-memory.sh [SIZE_MB] [WORK_DIR]
#
# Generates, a line at a time, a purchase-order document of about SIZE_MB
# megabytes (default 1000) in WORK_DIR (default a fresh directory under /tmp):
# comments, processing instructions and text mixed with elements in every
# order. Then runs, each under /usr/bin/time -v:
#   vxxml convert doc.xml doc.fi --to fi            text -> Fast Infoset
#   vxxml convert doc.fi back.xml                   Fast Infoset -> text
#   vxxml convert doc.xml doc.fi.gz --to fi --gzip  text -> Fast Infoset, gzip
#   vxxml convert doc.fi.gz back2.xml               Fast Infoset, gzip -> text
#   vxxml convert doc.xml doc.xml.gz --gzip         text -> text, gzip
#   vxxml convert doc.xml.gz doc2.fi --to fi        text, gzip -> Fast Infoset
#   vxxml convert doc.xml text.xml                  text -> text
# prints sizes, times and peak resident memory, and fails when a conversion
# peaks at 64 MiB or more, or when the text that comes back from Fast
# Infoset differs from the text written from the original (conversion keeps
# the whole infoset, layout between tags included). Uses build/tools/vxxml (the default preset);
# VXXML=path overrides it. Needs about 4 x SIZE_MB of free disk.
set -euo pipefail
cd "$(dirname "$0")/.."

size_mb=${1:-1000}
work=${2:-$(mktemp -d /tmp/vxxml-stream.XXXXXX)}
tool=${VXXML:-build/tools/vxxml}
limit_mib=64
mkdir -p "$work"

if [ ! -x "$tool" ]; then
  cmake --preset default > /dev/null
  cmake --build --preset default -j2 --target vxxml_tool
fi
if [ ! -x /usr/bin/time ]; then
  echo "stream-memory.sh: needs /usr/bin/time (Debian/Ubuntu: apt-get install time)" >&2
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
    s = s sprintf("    <!-- order %d, entered by the web shop -->\n    <?audit checked=\"%d\"?>\n", n, n % 2)
    s = s sprintf("    <po:comment>Order %d: hurry, <em>my lawn</em> is going <b>wild</b>!</po:comment>\n    <items>\n", n)
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
over=0

# run LABEL OUTPUT ARGS...: runs the tool under /usr/bin/time -v.
run() {
  local label=$1 out=$2
  shift 2
  local log=$work/time.log
  if ! /usr/bin/time -v -o "$log" "$tool" "$@" > /dev/null; then
    echo "stream-memory.sh: '$label' failed" >&2
    exit 1
  fi
  local rss_kb elapsed
  rss_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")
  elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$log")
  [ "$rss_kb" -ge $((limit_mib * 1024)) ] && over=1
  results+=("$(printf '%-40s %12s %9s %10.1f' "$label" "$(stat -c %s "$out")" "$elapsed" \
    "$(echo "$rss_kb" | awk '{print $1 / 1024}')")")
}

run "convert text -> FI" "$work/doc.fi" convert "$doc" "$work/doc.fi" --to fi
run "convert FI -> text" "$work/back.xml" convert "$work/doc.fi" "$work/back.xml"
run "convert text -> FI, gzip" "$work/doc.fi.gz" convert "$doc" "$work/doc.fi.gz" --to fi --gzip
run "convert FI, gzip -> text" "$work/back2.xml" convert "$work/doc.fi.gz" "$work/back2.xml"
run "convert text -> text, gzip" "$work/doc.xml.gz" convert "$doc" "$work/doc.xml.gz" --gzip
run "convert text, gzip -> FI" "$work/doc2.fi" convert "$work/doc.xml.gz" "$work/doc2.fi" --to fi
run "convert text -> text" "$work/text.xml" convert "$doc" "$work/text.xml"

echo "document: $doc ($doc_bytes bytes)"
printf '%-40s %12s %9s %10s\n' "command" "output bytes" "time" "peak MiB"
printf '%s\n' "${results[@]}"
echo
status=0
# Text written from the original's events and from the Fast Infoset's must
# be the same: only the layout inside tags and after the root may differ
# from the original file, which the writer makes anew.
for back in back.xml back2.xml; do
  if cmp -s "$work/text.xml" "$work/$back"; then
    echo "$back: the same text as converting the original"
  else
    echo "$back: DIFFERS from the original"; status=1
  fi
done
if cmp -s "$work/doc.fi" "$work/doc2.fi"; then
  echo "doc2.fi (from gzip text): the same Fast Infoset"
else
  echo "doc2.fi (from gzip text): DIFFERS"; status=1
fi
if [ $over -ne 0 ]; then
  echo "a conversion peaked at ${limit_mib} MiB or more"; status=1
fi
echo "files are in $work"
exit $status
