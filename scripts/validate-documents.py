#!/usr/bin/python3
"""Checks the documents in tests/generator/documents/<set>/ against their schema sets with an independent
validator, Python's xmlschema (Debian package python3-xmlschema), and prints a table.

Every <name>.xml must be valid; every <name>-invalid.xml must fail with exactly one error, the one listed
in INVALID below (its first line says which defect it has). The schema sets are the ones
scripts/fetch-schemas.sh lays out in build-schemas/sets/. A development-time check only: nothing in the
build or the tests runs it.

  apt-get install python3-xmlschema && scripts/fetch-schemas.sh && scripts/validate-documents.py
"""
import pathlib
import sys
import warnings

import xmlschema

ROOT = pathlib.Path(__file__).resolve().parent.parent
SETS = ROOT / "build-schemas" / "sets"
DOCS = ROOT / "tests" / "generator" / "documents"

XML_NS = "http://www.w3.org/XML/1998/namespace"
XLINK_NS = "http://www.w3.org/1999/xlink"

# set -> (main schema, {namespace: schema} for the imports that carry no usable location)
SCHEMAS = {
    "xhtml": (SETS / "xhtml/xhtml1-strict.xsd", {XML_NS: SETS / "xhtml/xml.xsd"}),
    "wsdl": (SETS / "wsdl/wsdl.xsd", {
        "http://schemas.xmlsoap.org/wsdl/soap/": SETS / "wsdl/wsdl-soap.xsd",
        "http://schemas.xmlsoap.org/soap/envelope/": SETS / "wsdl/soap-envelope.xsd",
        "http://schemas.xmlsoap.org/soap/encoding/": SETS / "wsdl/soap-encoding.xsd",
    }),
    "xlink": (DOCS / "xlink/links.xsd", {XLINK_NS: SETS / "xlink/xlink.xsd", XML_NS: SETS / "xlink/xml.xsd"}),
    "xsd": (None, {}),  # xmlschema's own meta-schema, the same file as sets/xsd/XMLSchema.xsd
    "docbook": (SETS / "docbook/docbook.xsd", {}),
    "xmldsig": (SETS / "xmldsig/xmldsig-core-schema.xsd", {}),
    "xmlenc": (SETS / "xmlenc/xenc-schema.xsd", {}),
}

# invalid document -> (the error's reason starts with, the error's path)
INVALID = {
    "xhtml/release-notes-invalid.xml": (
        "attribute valign='center': value must be one of ['top', 'middle', 'bottom', 'baseline']",
        "/html/body/table/tbody/tr[2]"),
    "wsdl/stockquote-invalid.xml": (
        "missing required attribute 'type'", "/definitions/binding"),
    "xlink/catalogue-invalid.xml": (
        "attribute xlink:show='popup': value must be one of ['new', 'replace', 'embed', 'other', 'none']",
        "/catalogue/route/leg[1]"),
    "xsd/library-invalid.xml": (
        "Unexpected child with tag 'xs:attribute' at position 3.",
        "/xs:schema/xs:element[1]/xs:complexType/xs:sequence"),
    "docbook/article-invalid.xml": (
        "attribute numeration='roman': value must be one of "
        "['arabic', 'upperalpha', 'loweralpha', 'upperroman', 'lowerroman']",
        "/article/section[2]/orderedlist"),
    "xmldsig/enveloping-rsa-invalid.xml": (
        "Unexpected child with tag 'ds:DigestValue' at position 2. Tag 'ds:DigestMethod' expected.",
        "/Signature/SignedInfo/Reference"),
    "xmlenc/encrypted-data-invalid.xml": (
        "Unexpected child with tag 'xenc:CipherReference' at position 2.", "/EncryptedData/CipherData"),
}


def load(name):
    main, locations = SCHEMAS[name]
    if main is None:
        meta = xmlschema.XMLSchema10.meta_schema
        if pathlib.Path(meta.url.replace("file://", "")).read_bytes() != (SETS / "xsd/XMLSchema.xsd").read_bytes():
            sys.exit("xmlschema's meta-schema differs from build-schemas/sets/xsd/XMLSchema.xsd")
        return meta
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # an import that is not found locally is a failure, not a download
        return xmlschema.XMLSchema10(str(main), locations={ns: str(p) for ns, p in locations.items()})


def main():
    if not SETS.is_dir():
        sys.exit("no build-schemas/sets: run scripts/fetch-schemas.sh first")
    rows, failures = [], 0
    for name in SCHEMAS:
        schema = load(name)
        for doc in sorted((DOCS / name).glob("*.xml")):
            rel = f"{name}/{doc.name}"
            errors = list(schema.iter_errors(str(doc)))
            if rel in INVALID:
                reason, path = INVALID[rel]
                ok = len(errors) == 1 and (errors[0].reason or "").startswith(reason) and errors[0].path == path
                got = " | ".join(f"{e.path}: {e.reason}" for e in errors) or "valid"
                rows.append((rel, "invalid", "ok" if ok else "WRONG", got))
            else:
                ok = not errors
                rows.append((rel, "valid", "ok" if ok else "WRONG",
                             "" if ok else " | ".join(f"{e.path}: {e.reason}" for e in errors)))
            failures += not ok
        missing = [k for k in INVALID if k.startswith(name + "/") and not (DOCS / k).is_file()]
        for rel in missing:
            rows.append((rel, "invalid", "WRONG", "missing"))
            failures += 1
    width = max(len(r[0]) for r in rows)
    print(f"{'document':<{width}}  expect   result  detail")
    for rel, expect, result, detail in rows:
        print(f"{rel:<{width}}  {expect:<7}  {result:<6}  {detail[:160]}")
    print(f"{len(rows) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
