#!/usr/bin/env bash
# Fetches real, public XML Schemas from Debian packages for the generator's tests and lays them out in
# build-schemas/sets/<set>/, one folder per schema set, each holding every .xsd its main schema needs
# (imports whose location is a web address are found there by their file name, as vxxml-gen's -I does).
#
#   build-schemas/debs/   the downloaded packages
#   build-schemas/root/   their extracted contents (dpkg -x)
#   build-schemas/sets/   xhtml, wsdl, xlink, xsd, docbook, xmldsig, xmlenc
#
# Nothing is vendored: the packages are downloaded again on a clean machine. Their licences
# (from /usr/share/doc/<package>/copyright):
#   python3-xmlschema  - XHTML 1.0 Strict, XLink, XMLSchema.xsd (1.0), SOAP envelope and encoding:
#                        W3C Software and Document Licence (W3C-20150513), W3C/DevelopMentor;
#                        wsdl.xsd and wsdl-soap.xsd: the WSDL Schema Files licence of IBM and Microsoft
#                        (copy and distribute with the notice); xml_minimal.xsd: Expat (SISSA).
#   docbook5-xml       - DocBook 5.0 schema: the DocBook licence of OASIS and the other copyright holders
#                        (use, copy, modify and distribute with the notice; a modified schema must be
#                        labelled a DocBook variant).
#   xmltooling-schemas - xmldsig-core-schema.xsd and xenc-schema.xsd: W3C Software licence (IETF/W3C 2001).
#
# Idempotent: packages are downloaded and extracted once (a stamp records the package list); the sets are
# laid out again on every run, which is cheap.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-schemas"
pkgs=(python3-xmlschema docbook5-xml xmltooling-schemas)
stamp="$out/root/.extracted"

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "${pkgs[*]}" ]; then
  rm -rf "$out/debs" "$out/root"
  mkdir -p "$out/debs" "$out/root"
  # apt-get download writes into the current folder; refresh the package lists only when it fails.
  if ! (cd "$out/debs" && apt-get download "${pkgs[@]}"); then
    $SUDO apt-get update
    (cd "$out/debs" && apt-get download "${pkgs[@]}")
  fi
  for deb in "$out"/debs/*.deb; do
    dpkg -x "$deb" "$out/root"
  done
  echo "${pkgs[*]}" > "$stamp"
fi

xs="$out/root/usr/lib/python3/dist-packages/xmlschema/schemas"
db="$out/root/usr/share/xml/docbook/schema/xsd/5.0"
xt="$out/root/usr/share/xml/xmltooling"
sets="$out/sets"
rm -rf "$sets"

# put SET SOURCE [NAME]: copies SOURCE into the set's folder (as NAME when given).
put() {
  mkdir -p "$sets/$1"
  cp "$2" "$sets/$1/${3:-$(basename "$2")}"
}

# XHTML 1.0 Strict imports http://www.w3.org/2001/xml.xsd for xml:lang and xml:space; xmlschema's minimal
# copy of that schema declares both (and xml:base, xml:id).
put xhtml "$xs/XHTML/xhtml1-strict.xsd"
put xhtml "$xs/XML/xml_minimal.xsd" xml.xsd

# WSDL 1.1 with its SOAP binding extension elements (wsdl-soap.xsd imports the WSDL namespace without a
# location), and the SOAP 1.1 envelope and encoding.
put wsdl "$xs/WSDL/wsdl.xsd"
put wsdl "$xs/WSDL/wsdl-soap.xsd"
put wsdl "$xs/WSDL/soap-envelope.xsd"
put wsdl "$xs/WSDL/soap-encoding.xsd"

# XLink declares attributes, types and abstract elements only; a document needs a schema of its own
# (tests/generator/documents/xlink/) that imports http://www.w3.org/1999/xlink.xsd.
put xlink "$xs/XLINK/xlink.xsd"
put xlink "$xs/XML/xml_minimal.xsd" xml.xsd

# The XML Schema 1.0 meta-schema: structures and datatypes in one file; it imports only xml.xsd.
put xsd "$xs/XSD_1.0/XMLSchema.xsd"
put xsd "$xs/XML/xml_minimal.xsd" xml.xsd

# DocBook 5.0 with the small xlink.xsd and xml.xsd it ships beside it (imported by relative location).
put docbook "$db/docbook.xsd"
put docbook "$db/xlink.xsd"
put docbook "$db/xml.xsd"

# XML Signature; XML Encryption imports it by relative location.
put xmldsig "$xt/xmldsig-core-schema.xsd"
put xmlenc "$xt/xenc-schema.xsd"
put xmlenc "$xt/xmldsig-core-schema.xsd"

echo "fetch-schemas.sh: schema sets in $sets: $(cd "$sets" && echo *)"
