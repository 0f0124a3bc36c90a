#!/usr/bin/env bash
# Sets everything up, builds vxxml and runs its command-line tool on the bundled
# sample: XML text -> Fast Infoset -> XML text, then describes the files; last,
# the worked binding example reads a purchase order into its classes and writes it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default > /dev/null
cmake --build --preset default -j "$(nproc)" --target vxxml_tool po_example
tool=build/tools/vxxml
out=$(mktemp -d)
sample=samples/purchaseOrder.xml

echo "== vxxml convert $sample $out/po.fi --to fi --suggested"
"$tool" convert "$sample" "$out/po.fi" --to fi --suggested
echo "== vxxml convert $out/po.fi $out/po.xml --indent   (Fast Infoset back to text)"
"$tool" convert "$out/po.fi" "$out/po.xml" --indent
cat "$out/po.xml"
echo
echo "== vxxml info $sample"
"$tool" info "$sample"
echo
echo "== vxxml info $out/po.fi"
"$tool" info "$out/po.fi"
echo
echo "== vxxml roundtrip $sample"
"$tool" roundtrip "$sample"
echo
echo "== build/examples/po_example examples/purchase_order/po.xml   (the purchase-order classes of examples/)"
build/examples/po_example examples/purchase_order/po.xml
echo
echo "Files are in $out"
