#!/usr/bin/env python3
"""Prints the benchmark report from the JSON files of Google Benchmark runs.

    python3 scripts/bench_table.py build-bench/results/*.json

The headline table comes from generated_read_bench (the purchase order read
and written in every form, beside expat's bare parse of the same text); the
side-by-side table puts vxxml's text rows beside the peer toolkits' rows
(bench/peers: the same order through gSOAP's and CodeSynthesis XSD's classes,
each against expat's parse of its own document in its own executable), with
a line per row on what it checks and converts; then every benchmark of every
file with its key figure. Where a benchmark was
repeated, the fastest repetition is shown (the one least disturbed by other
work on the machine), with the spread of all of them. MB are 10^6 bytes.
"""
import json
import os
import sys
import textwrap

HEADLINE_FILE = "generated_read_bench"
EXPAT = "BM_ExpatBareParse"
HEADLINE = [
    ("text read    -> document tree", "BM_LoadTreeOnly"),
    ("text read    -> objects", "BM_ReadIntoObjects"),
    ("text read    -> objects, tree", "BM_ReadIntoObjectsThroughTree"),
    ("text write   <- objects", "BM_WriteObjects"),
    ("text write   <- document tree", "BM_WriteTree"),
    ("FI read      -> document tree", "BM_LoadTreeFromFastInfoset"),
    ("FI read      -> objects", "BM_ReadIntoObjectsFromFastInfoset"),
    ("FI read      -> objects, tree", "BM_ReadIntoObjectsFromFastInfosetThroughTree"),
    ("FI write     <- objects", "BM_WriteObjectsFastInfoset"),
]
# Side by side: (label, file, benchmark, what the row checks and converts).
# The lines say what the generated code does for this schema (bench/peers
# has the details and how they were found).
PEERS = [
    ("vxxml  text -> objects", HEADLINE_FILE, "BM_ReadIntoObjects",
     "every value converted exactly (decimals as CDecimal, dates as CDateTime, quantity as "
     "an integer); every facet, the element order and the occurrences checked"),
    ("vxxml  objects -> text", HEADLINE_FILE, "BM_WriteObjects",
     "every value formatted and its facets checked; writes the document's own text back"),
    ("gSOAP  text -> objects", "peer_gsoap_bench", "BM_GsoapReadIntoObjects",
     "no value converted: decimals, dates and the quantity kept as the strings read; "
     "SOAP_XML_STRICT checks occurrences, not patterns, ranges or the element order"),
    ("gSOAP  objects -> text", "peer_gsoap_bench", "BM_GsoapWriteObjects",
     "writes the strings back as they are, nothing checked"),
    ("XSD    text -> objects", "peer_xsd_bench", "BM_XsdReadIntoObjects",
     "via a Xerces DOM; decimals to double, dates and the quantity parsed without range "
     "checks; only required elements and attributes checked"),
    ("XSD    text -> objects, valid.", "peer_xsd_bench", "BM_XsdReadIntoObjectsValidated",
     "the same after Xerces validates against the schema: every facet, the order and "
     "the occurrences; decimals still double"),
    ("XSD    objects -> text", "peer_xsd_bench", "BM_XsdWriteObjects",
     "via a Xerces DOM; nothing checked; decimals written from the doubles (148.95 as "
     "148.949999999999989)"),
]

SIZES_BENCH = "BM_PurchaseOrderSizes"
SIZES = [
    ("text", "size_text"),
    ("text + gzip", "size_text_gzip"),
    ("Fast Infoset", "size_fi"),
    ("Fast Infoset + gzip", "size_fi_gzip"),
    ("Fast Infoset, suggested encodings", "size_fi_suggested"),
    ("Fast Infoset, suggested encodings + gzip", "size_fi_suggested_gzip"),
]


def load(paths):
    """Per file, the runs in order: the fastest of the repetitions where there
    are several (with their coefficient of variation as "cv"), else the run."""
    files = {}
    context = None
    for path in paths:
        name = os.path.basename(path)
        if name.endswith(".json"):
            name = name[: -len(".json")]
        try:
            with open(path) as f:
                data = json.load(f)
        except ValueError:
            files[name] = {"runs": [], "failed": True}
            continue
        context = context or data.get("context")
        order, chosen = [], {}
        for run in data.get("benchmarks", []):
            key = run.get("run_name", run["name"])
            if key not in chosen:
                order.append(key)
                chosen[key] = {}
            if run.get("run_type") == "aggregate":
                chosen[key].setdefault(run.get("aggregate_name"), run)
            else:
                chosen[key].setdefault("runs", []).append(run)
        runs = []
        for key in order:
            forms = chosen[key]
            if forms.get("runs"):
                run = dict(min(forms["runs"], key=lambda r: r.get("cpu_time", 0.0)))
            else:
                run = dict(forms.get("median") or next(iter(forms.values())))
            run["name"] = key
            if "cv" in forms:
                run["cv"] = forms["cv"].get("cpu_time")
            runs.append(run)
        files[name] = {"runs": runs, "failed": False}
    return files, context


def base_name(run):
    # "BM_X/iterations:1" and "BM_X/400000" keep their arguments apart.
    return run["name"].split("/")[0]


def mbps(run):
    rate = run.get("bytes_per_second")
    return rate / 1e6 if rate else None


def find(runs, name):
    for run in runs:
        if base_name(run) == name:
            return run
    return None


def per_iteration(run):
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    seconds = run.get("cpu_time", 0.0) * scale.get(run.get("time_unit", "ns"), 1e-9)
    for unit in ("s", "ms", "us", "ns"):
        if seconds >= scale[unit] or unit == "ns":
            return "%.3g %s" % (seconds / scale[unit], unit)


def spread(run):
    cv = run.get("cv")
    return "+-%.0f%%" % (cv * 100) if cv is not None else ""


def fmt_rate(value):
    return "%8.1f" % value if value is not None else "%8s" % "-"


def fmt_ratio(value, base):
    if value is None or not base:
        return "%8s" % "-"
    return "%8.2f" % (value / base)


def figure(run):
    if run.get("error_occurred"):
        return "ERROR: " + run.get("error_message", "")
    rate = mbps(run)
    if rate is not None:
        return "%.1f MB/s" % rate
    items = run.get("items_per_second")
    if items:
        for scale, prefix in ((1e9, "G"), (1e6, "M"), (1e3, "k"), (1, "")):
            if items >= scale:
                return "%.1f %sitems/s" % (items / scale, prefix)
    return ""


def headline(files):
    runs = files.get(HEADLINE_FILE, {}).get("runs", [])
    if not runs:
        print("(no results from %s)" % HEADLINE_FILE)
        return
    expat_run = find(runs, EXPAT)
    expat = mbps(expat_run) if expat_run else None
    doc = expat_run.get("doc_bytes") if expat_run else None
    title = "Purchase order"
    if doc:
        title += ", %.1f MB of XML text" % (doc / 1e6)
    print(title + ": MB/s of that text, whatever the form read or written;")
    print("expat = expat's own parse of the same text with empty handlers (%s MB/s)\n"
          % ("%.1f" % expat if expat else "-"))
    print("%-32s %8s %8s %8s  %s" % ("", "MB/s", "expat", "/ expat", "time per document"))
    for label, name in HEADLINE:
        run = find(runs, name)
        if run is None:
            print("%-32s %8s" % (label, "missing"))
            continue
        if run.get("error_occurred"):
            print("%-32s ERROR: %s" % (label, run.get("error_message", "")))
            continue
        rate = mbps(run)
        print("%-32s %s %s %s  %-8s %s" % (label, fmt_rate(rate), fmt_rate(expat),
                                           fmt_ratio(rate, expat), per_iteration(run), spread(run)))
    sizes = find(runs, SIZES_BENCH)
    if sizes:
        text = sizes.get("size_text")
        print("\n%-42s %12s %8s" % ("Sizes of the purchase order", "bytes", "/ text"))
        for label, key in SIZES:
            value = sizes.get(key)
            if value is None:
                continue
            print("%-42s %12d %8.3f" % (label, value, value / text if text else 0))


def side_by_side(files):
    print("\nSide by side, the same order through each toolkit's classes (gSOAP and XSD from")
    print("the Primer's schema without a namespace, bench/peers); each ratio against expat's")
    print("parse of the same document in the same executable\n")
    print("%-32s %8s %8s %8s  %s" % ("", "MB/s", "expat", "/ expat", "time per document"))
    for label, file_name, name, what in PEERS:
        entry = files.get(file_name)
        if entry is None:
            print("%-32s not run (not built where the toolkit is missing)" % label)
            continue
        runs = entry["runs"]
        run = find(runs, name)
        expat_run = find(runs, EXPAT)
        expat = mbps(expat_run) if expat_run else None
        if run is None:
            print("%-32s missing" % label)
        elif run.get("error_occurred"):
            print("%-32s ERROR: %s" % (label, run.get("error_message", "")))
        else:
            rate = mbps(run)
            print("%-32s %s %s %s  %-8s %s" % (label, fmt_rate(rate), fmt_rate(expat),
                                               fmt_ratio(rate, expat), per_iteration(run),
                                               spread(run)))
        print(textwrap.fill(what, width=96, initial_indent="    ", subsequent_indent="    "))


def everything(files):
    print("\nEvery benchmark: CPU time per iteration (fastest repetition, with the spread of all),")
    print("key figure, and against BM_ExpatBareParse of the same executable")
    for name in sorted(files):
        entry = files[name]
        print("\n%s%s" % (name, "  (no results: the run failed)" if entry["failed"] else ""))
        expat_run = find(entry["runs"], EXPAT)
        expat = mbps(expat_run) if expat_run else None
        for run in entry["runs"]:
            rate = mbps(run)
            ratio = ""
            if expat and rate is not None and base_name(run) != EXPAT and not run.get("error_occurred"):
                ratio = "%.2f" % (rate / expat)
            print("  %-50s %9s %5s %18s %6s" % (run["name"], per_iteration(run), spread(run),
                                                figure(run), ratio))


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    files, context = load(argv[1:])
    if context:
        print("%s, %s CPUs at %s MHz, load average %s\n" % (
            context.get("date", "?"), context.get("num_cpus", "?"), context.get("mhz_per_cpu", "?"),
            ", ".join("%.2f" % x for x in context.get("load_avg", [])) or "?"))
    headline(files)
    side_by_side(files)
    everything(files)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
