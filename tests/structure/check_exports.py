#!/usr/bin/env python3
"""Compares the symbols the shared library exports with a checked-in list.

Every C++ symbol that libvxxml exports as a strong definition (functions,
data, the vtables and type information of classes with an out-of-line key
function; demangled) must be in exported-symbols.txt, and
every line there must be exported: a new export, or a lost one, is a visible
decision. After changing the interface on purpose, rewrite the list with
--update and review the difference.

  check_exports.py LIBRARY LIST [--update]
"""
import re
import subprocess
import sys

# The standard library's instantiations the compiler chose to emit (they come
# and go with the optimisation level) are not the library's interface: by
# their mangled names, what stands in std or __gnu_cxx.
STANDARD = re.compile(r"^_Z(?:T[VITS]|Th[n\d_]*|Tv[n\d_]*)?(?:GV)?Z?N?K?(?:St|9__gnu_cxx|Sa|Ss)")


def exported(library):
    mangled = subprocess.run(["nm", "-D", "--defined-only", library], check=True,
                             capture_output=True, text=True).stdout
    rows = [line.split(" ", 2) for line in mangled.splitlines()]
    # Weak symbols (inline functions, templates, the vtables and type
    # information of classes without an out-of-line key function) are emitted
    # wherever they are used and come and go with the optimisation level and
    # instrumentation; the library's own C++ names are mangled, while plain
    # names belong to the toolchain (_init, sanitizer and coverage hooks).
    ours = [r[2] for r in rows if len(r) == 3 and r[1] in "TDRB"
            and r[2].startswith("_Z") and not STANDARD.match(r[2])]
    demangled = subprocess.run(["c++filt"], input="\n".join(ours), check=True,
                               capture_output=True, text=True).stdout
    return set(demangled.split("\n")) - {""}


def main(argv):
    library, listing = argv[1], argv[2]
    symbols = exported(library)
    if "--update" in argv[3:]:
        with open(listing, "w", encoding="utf-8") as f:
            f.write("".join(s + "\n" for s in sorted(symbols)))
        print(f"{listing}: {len(symbols)} symbols")
        return 0
    with open(listing, encoding="utf-8") as f:
        expected = {line.rstrip("\n") for line in f if line.strip()}
    added, lost = sorted(symbols - expected), sorted(expected - symbols)
    for s in added:
        print(f"exported, not in the list: {s}")
    for s in lost:
        print(f"in the list, not exported: {s}")
    if added or lost:
        print(f"{len(added)} new, {len(lost)} lost: if that is meant, run\n"
              f"  {argv[0]} {library} {listing} --update")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
