#!/usr/bin/env python3
"""Fails on an #include under src/ that the layer order forbids.

The folders under src/ are layers (ARCHITECTURE.md): a file may include the
headers of its own folder and of the folders its layer lists below, and the
public headers of those layers. The few edges the design needs against the
order are listed by file in EDGES, each with its reason; an edge listed but no
longer made fails too, so the list stays true.

  check_layers.py ROOT            check; print each forbidden include
  check_layers.py ROOT --report   also print the folder pairs that include
                                  each other, both ways
"""
import os
import re
import sys

# Each layer and the layers it may include, lowest first.
LAYERS = {
    "base": [],
    "types": ["base"],
    "xml": ["base", "types"],
    "fastinfoset": ["base", "types", "xml"],
    "collections": ["base", "types", "xml"],
    "metadata": ["base", "types", "xml", "collections"],
    "binding": ["base", "types", "xml", "fastinfoset", "collections", "metadata"],
}

# The layer of each public header: the lowest layer that may include it. What
# a header declares is defined in that layer or above it (CXmlObjectBase's
# entry points in binding/, for one).
PUBLIC = {
    "base": ["Export.h", "Exception.h", "ObjectBase.h", "ItemType.h",
             "SerializationContext.h", "NamespaceAliasMap.h", "XmlEventHandler.h"],
    "types": ["BigInteger.h", "BinaryData.h", "Conversions.h", "DateTime.h", "DateTimeSpan.h",
              "Decimal.h", "Restrictions.h", "Variant.h", "Whitespace.h", "XmlObjectHelper.h"],
    "xml": ["Encoder.h", "ExpatReader.h", "Streams.h", "StringBuffer.h", "XmlDocument.h",
            "XmlTextWriter.h", "XmlWriter.h", "XmlWriterHandler.h"],
    "fastinfoset": ["FastInfosetBinaryData.h", "FastInfosetContext.h", "FastInfosetReader.h",
                    "FastInfosetWriter.h"],
    "collections": ["Collection.h", "TypedCollections.h", "Untyped.h"],
    "metadata": ["Metadata.h", "AttributeInfos.h", "ElementInfoAll.h", "ElementInfoChoice.h",
                 "ElementInfoContent.h", "ElementInfoSeq.h", "GeneratedClass.h"],
    "binding": ["ClassFactory.h", "GeneratedCode.h", "XmlEventReader.h", "vxxml.h"],
}

# Includes against the order that the design needs, by file.
EDGES = {
    ("src/xml/XmlDocument.cpp", "vxxml/FastInfosetReader.h"):
        "a document hands its bytes to the Fast Infoset reader when they are Fast Infoset",
    ("src/types/Variant.cpp", "vxxml/Collection.h"):
        "a variant holds a collection (ItemType_xmlCollection)",
}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def main(argv):
    root = argv[1]
    report = "--report" in argv[2:]
    src = os.path.join(root, "src")
    errors = []
    owner = {}
    for layer, headers in PUBLIC.items():
        for header in headers:
            owner["vxxml/" + header] = layer
    for header in sorted(os.listdir(os.path.join(root, "include", "vxxml"))):
        if header.endswith(".h") and "vxxml/" + header not in owner:
            errors.append(f"include/vxxml/{header}: no layer: add it to PUBLIC")
    folders = sorted(d for d in os.listdir(src) if os.path.isdir(os.path.join(src, d)))
    for folder in folders:
        if folder not in LAYERS:
            errors.append(f"src/{folder}/: no layer: add it to LAYERS and to ARCHITECTURE.md")

    used = set()
    edges = set()
    for folder in folders:
        for directory, _, files in os.walk(os.path.join(src, folder)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp", ".inc")):
                    continue
                path = os.path.join(directory, name)
                rel = os.path.relpath(path, root)
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                for match in INCLUDE.finditer(text):
                    target = match.group(1)
                    if target in owner:
                        layer = owner[target]
                    elif "/" in target:
                        layer = target.split("/")[0]
                        if layer not in LAYERS:
                            errors.append(f"{rel}: includes \"{target}\", in no layer")
                            continue
                    else:
                        continue  # generated beside the library (UnicodeBlocks.inc)
                    if layer == folder:
                        continue
                    edges.add((folder, layer))
                    if layer in LAYERS.get(folder, []):
                        continue
                    if (rel, target) in EDGES:
                        used.add((rel, target))
                        continue
                    line = text.count("\n", 0, match.start()) + 1
                    errors.append(f"{rel}:{line}: {folder}/ may not include {layer}/ "
                                  f"(\"{target}\"); see ARCHITECTURE.md")
    for edge in sorted(set(EDGES) - used):
        errors.append(f"{edge[0]}: the listed edge to \"{edge[1]}\" is no longer made: "
                      "drop it from EDGES")

    if report:
        pairs = {frozenset(e) for e in edges}
        both = sorted(sorted(p) for p in pairs if all(
            (a, b) in edges for a in p for b in p if a != b))
        print(f"{len(pairs)} connected folder pairs, {len(both)} including each other both ways"
              + "".join(f"\n  {a} <-> {b}" for a, b in both))
    for error in errors:
        print(error)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
