#!/usr/bin/env bash
# Hostile input against the command-line tool.
#
#   scripts/hostile.sh [WORK_DIR]
#
# Builds inputs an attacker would send -- compression bombs, element and
# attribute floods, a million levels of nesting, 200,000 namespace prefixes,
# Fast Infoset with huge lengths and indices, invalid names and characters in
# both forms, damaged compressed streams -- in WORK_DIR (default a fresh
# directory under /tmp, removed afterwards), runs vxxml on each and prints a
# table in Markdown: input, command, exit status, message (or what the tool
# printed on success), peak resident memory, wall and processor time. A row
# passes when it ends with exit status 0 or 1 and a message, within 10
# seconds, and within 256 MB of memory beyond what the bounds of its command
# let through (each row's allowance, below); a row that does not is marked
# FAIL and the script's exit status is 1. Uses build/tools/vxxml (the default
# preset, built if missing); VXXML=path overrides it. Needs about 60 MB of
# disk and a minute.
set -euo pipefail
cd "$(dirname "$0")/.."

tool=${VXXML:-build/tools/vxxml}
if [ ! -x "$tool" ]; then
  cmake --preset default > /dev/null
  cmake --build --preset default -j2 --target vxxml_tool
fi
if [ $# -ge 1 ]; then
  work=$1
  mkdir -p "$work"
else
  work=$(mktemp -d /tmp/vxxml-hostile.XXXXXX)
  trap 'rm -rf "$work"' EXIT
fi

# One program, run twice: to build the inputs, then, in a fresh process that
# holds none of them, to run the tool (a child's peak memory counts what its
# parent held when it was started).
cat > "$work/hostile.py" <<'PY'
import ctypes, ctypes.util, json, os, signal, subprocess, sys, time, zlib

mode, tool, work = sys.argv[1], sys.argv[2], sys.argv[3]
MB = 1 << 20
GB = 1 << 30

def path(name):
    return os.path.join(work, name)

def write(name, data):
    with open(path(name), "wb") as f:
        f.write(data)
    return path(name)


def build():
    # ---- compression bombs -----------------------------------------------------------
    # A bomb of N GiB is made without compressing N GiB: after a full flush the
    # compressor starts afresh, so every 16 MiB of zeros compresses to the same
    # bytes, which are repeated; zlib's own combine functions give the checksums
    # of the whole.
    libz = ctypes.CDLL(ctypes.util.find_library("z"))
    for f in (libz.crc32_combine64, libz.adler32_combine64):
        f.restype = ctypes.c_ulong
        f.argtypes = [ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int64]

    def zero_bomb(total, gzip):
        piece = bytes(16 * MB)
        c = zlib.compressobj(9, zlib.DEFLATED, -15)
        block = c.compress(piece) + c.flush(zlib.Z_FULL_FLUSH)
        assert c.compress(piece) + c.flush(zlib.Z_FULL_FLUSH) == block
        end = c.flush(zlib.Z_FINISH)
        count = total // len(piece)
        check = zlib.crc32(piece) if gzip else zlib.adler32(piece)
        one = check
        for _ in range(count - 1):
            check = (libz.crc32_combine64 if gzip else libz.adler32_combine64)(check, one, len(piece))
        body = block * count + end
        if gzip:
            return (b"\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\xff" + body +
                    check.to_bytes(4, "little") + (total & 0xFFFFFFFF).to_bytes(4, "little"))
        return b"\x78\xda" + body + check.to_bytes(4, "big")

    def gzip(data):
        c = zlib.compressobj(9, zlib.DEFLATED, 31)
        return c.compress(data) + c.flush()

    def gzip_pieces(pieces):
        c = zlib.compressobj(9, zlib.DEFLATED, 31)
        return b"".join(c.compress(p) for p in pieces) + c.flush()

    # ---- Fast Infoset -------------------------------------------------------------------
    def fi(body):
        return bytes.fromhex("E0 00 00 01 00") + body

    FI_A = bytes.fromhex("3C 00 61")  # <a> with a literal name

    # ---- the inputs ---------------------------------------------------------------------
    inputs = {
        "gzip-bomb": write("zeros.gz", zero_bomb(10 * GB, True)),
        "zlib-bomb": write("zeros.zz", zero_bomb(10 * GB, False)),
        "gzip-a": write("a.xml.gz", gzip_pieces(
            [b"<r>"] + [b"<a/>" * 1000000] * 26 + [b"</r>"])),
        "elements": write("elements.xml", b"<r>" + b"<a/>" * 2000000 + b"</r>"),
        "attributes": write("attributes.xml", b"<r" + b"".join(
            b' a%d="v"' % i for i in range(1000000)) + b"/>"),
        "wide": write("wide.xml", b"<r>" + b"\n  <a/>" * 1000000 + b"\n</r>"),
        "deep": write("deep.xml", b"<a>" * 1000000 + b"</a>" * 1000000),
        "prefixes": write("prefixes.xml", b"<r" + b"".join(
            b' xmlns:p%d="urn:ns:%d"' % (i, i) for i in range(200000)) +
            b'><p0:a p199999:x="1"/></r>'),
        "fi-deep": write("deep.fi", fi(FI_A + bytes(1000000) + b"\xff" * 500001)),
        "fi-length": write("length.fi", fi(bytes.fromhex("3C 60 7F FF FF FF") + b"a\xff")),
        "fi-chunk": write("chunk.fi", fi(FI_A + bytes.fromhex("83 7F FF FF FF") + b"x\xff")),
        "fi-index": write("index.fi", fi(FI_A + bytes.fromhex("30 07 3A 1F") + b"\xff")),
        # An initial vocabulary of 2^20 prefixes, the most a table holds.
        "fi-vocabulary": write("vocabulary.fi", bytes.fromhex("E0 00 00 01 20 02 00 8F FF FF") +
                               b"\x00a" * (0xFFFFF + 129) + bytes.fromhex("3C 00 61 FF")),
        "text-name": write("name.xml", b"<a<b/>"),
        "text-char": write("char.xml", b"<a>&#1;</a>"),
        "text-nul": write("nul.xml", b"<a>\x00</a>"),
        "fi-name": write("name.fi", fi(bytes.fromhex("3C 01 61 3C FF"))),
        "fi-name-ff": write("nameff.fi", fi(bytes.fromhex("3C 00 FF FF"))),
        "fi-nul": write("nul.fi", fi(FI_A + bytes.fromhex("80 00 FF"))),
        "fi-c1": write("c1.fi", fi(FI_A + bytes.fromhex("80 01 FF"))),
    }
    doc = b"<r>" + b"<a k='v'>text</a>" * 1000 + b"</r>"
    good = gzip(doc)
    bad_crc = bytearray(good)
    bad_crc[-8] ^= 1
    inputs["gzip-members"] = write("members.gz", gzip(doc[:100]) + gzip(doc[100:]))
    inputs["gzip-junk"] = write("junk.gz", good + b"junk")
    inputs["gzip-crc"] = write("crc.gz", bytes(bad_crc))
    inputs["gzip-cut"] = write("cut.gz", good[: len(good) // 2])

    def size(name):
        n = os.path.getsize(inputs[name])
        return "%.3g MB" % (n / 1e6) if n >= 100000 else "%d bytes" % n

    # ---- the rows: input, its description, the arguments, and the memory the
    # limits of the command allow beyond 256 MB: the inflated text where a
    # bound lets it grow, and the document tree (about 160 bytes an element;
    # 200 allowed) where no bound on elements or depth stops it.
    tree = 200
    out = path("converted.xml")
    rows = [
        ("gzip-bomb", "gzip bomb, %s -> 10 GiB of zeros" % size("gzip-bomb"), ["info"], 0),
        ("gzip-bomb", "the same, ratio bound off", ["info", "--max-ratio", "0"], GB),
        ("zlib-bomb", "zlib bomb, %s -> 10 GiB of zeros" % size("zlib-bomb"), ["info"], 0),
        ("gzip-a", "gzip, %s -> `<a/>` 26 million times" % size("gzip-a"), ["info"], 0),
        ("gzip-a", "the same, ratio bound off, at most 1 million elements",
         ["info", "--max-ratio", "0", "--max-elements", "1000000"], 104 * MB + 1000000 * tree),
        ("elements", "element flood, 2 million `<a/>` (%s)" % size("elements"), ["info"],
         2000000 * tree),
        ("elements", "the same, at most 100,000 elements", ["info", "--max-elements", "100000"],
         0),
        ("attributes", "attribute flood, 1 million on one element (%s)" % size("attributes"),
         ["info"], 0),
        ("wide", "a million indented children of one element (%s)" % size("wide"),
         ["convert", out], 1000000 * tree),
        ("deep", "a million levels of nesting (%s)" % size("deep"), ["info"], 0),
        ("deep", "the same, depth bound off", ["info", "--max-depth", "0"], 1000000 * tree),
        ("prefixes", "200,000 namespace prefixes (%s)" % size("prefixes"), ["roundtrip"], 0),
        ("fi-deep", "Fast Infoset, a million levels", ["info"], 0),
        ("fi-length", "Fast Infoset, name of length 2^31", ["info"], 0),
        ("fi-chunk", "Fast Infoset, text of length 2^31", ["info"], 0),
        ("fi-index", "Fast Infoset, name index 1,000,000", ["info"], 0),
        ("fi-vocabulary",
         "Fast Infoset, 2^20 prefixes in the vocabulary (%s)" % size("fi-vocabulary"), ["info"], 0),
        ("text-name", "text, invalid name `<a<b/>`", ["info"], 0),
        ("text-char", "text, character reference `&#1;`", ["info"], 0),
        ("text-nul", "text, NUL byte", ["info"], 0),
        ("fi-name", "Fast Infoset, name `a<`", ["convert", out], 0),
        ("fi-name-ff", "Fast Infoset, name byte FF", ["convert", out], 0),
        ("fi-nul", "Fast Infoset, character U+0000", ["convert", out], 0),
        ("fi-c1", "Fast Infoset, character U+0001", ["convert", out], 0),
        ("gzip-members", "gzip of two members", ["info"], 0),
        ("gzip-junk", "gzip followed by other bytes", ["info"], 0),
        ("gzip-crc", "gzip with a wrong CRC", ["info"], 0),
        ("gzip-cut", "gzip cut in half", ["info"], 0),
    ]

    rows = [(what, args, inputs[key], allowance) for key, what, args, allowance in rows]
    with open(path("rows.json"), "w") as f:
        json.dump(rows, f)
    return 0


LIMIT_SECONDS = 10
LIMIT_MB = 256

def run(args):
    """Runs the tool; its exit status, output, error output, wall and
    processor time and peak resident memory in bytes."""
    out, err = path("out"), path("err")
    with open(out, "wb") as o, open(err, "wb") as e, open(os.devnull, "rb") as i:
        start = time.monotonic()
        p = subprocess.Popen([tool] + args, stdin=i, stdout=o, stderr=e)
        deadline = start + 60
        while True:
            pid, status, usage = os.wait4(p.pid, os.WNOHANG)
            if pid:
                break
            if time.monotonic() > deadline:
                p.send_signal(signal.SIGKILL)
            time.sleep(0.01)
        elapsed = time.monotonic() - start
    code = os.waitstatus_to_exitcode(status)
    with open(out, "rb") as o, open(err, "rb") as e:
        return code, o.read().decode("utf-8", "replace"), e.read().decode("utf-8", "replace"), \
            elapsed, usage.ru_utime + usage.ru_stime, usage.ru_maxrss * 1024

def message(code, out, err):
    if code != 0:
        lines = err.strip().splitlines()
        return lines[0].replace("vxxml: ", "", 1) if lines else ""
    fields = dict(l.split(":", 1) for l in out.splitlines() if ":" in l)
    if "infoset" in fields:
        return "infoset %s" % fields["infoset"].strip()
    if "elements" in fields:
        return "ok, %s elements, depth %s" % (fields["elements"].strip(),
                                              fields.get("depth", "?").strip())
    return "ok"

def run_all():
    with open(path("rows.json")) as f:
        rows = json.load(f)
    print("| input | command | exit | message | peak memory | time (cpu) |")
    print("|---|---|---|---|---|---|")
    failures = 0
    for what, args, file, allowance in rows:
        command, options = args[0], args[1:]
        code, out, err, elapsed, cpu, peak = run([command, file] + options)
        text = message(code, out, err)
        ok = code in (0, 1) and text and elapsed <= LIMIT_SECONDS and \
            peak <= LIMIT_MB * MB + allowance
        failures += not ok
        shown = " ".join(["vxxml", command, "IN"] + ["OUT" if o.startswith(work) else o
                                                     for o in options])
        print("| %s | `%s` | %d | %s | %.0f MB | %.2f s (%.2f s) |%s" % (
            what, shown, code, text.replace("|", "\\|"), peak / MB, elapsed, cpu,
            "" if ok else " FAIL"))
    return 1 if failures else 0


sys.exit(build() if mode == "build" else run_all())
PY
python3 "$work/hostile.py" build "$tool" "$work"
python3 "$work/hostile.py" run "$tool" "$work"
