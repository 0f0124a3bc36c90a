#!/usr/bin/env python3
"""Fails on a `throw` outside the messages files.

Every message of the library is in the messages file of its folder,
src/<folder>/Messages.cpp (declared in Messages.h), and thrown from there by
a small [[noreturn]] helper; nothing else under src/ or include/ throws. A
rethrow (`throw;`) passes a caught exception on and is allowed anywhere. Files
named like an older messages file (...Errors.*, ...Messages.* besides
Messages.*) fail too, so that there is one name for one thing.

  check_messages.py ROOT
"""
import os
import re
import sys

THROW = re.compile(r"\bthrow\b(?!\s*;)")
OLD_NAME = re.compile(r"(Errors|Messages)\.(h|cpp)$")


def code_only(text):
    """The text with comments, string and character literals blanked (lines kept)."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("\n" * text.count("\n", i, j))
            i = j
        elif c == '"' and text.startswith('R"', i - 1):
            close = ")" + text[i + 1:text.index("(", i)] + '"'
            j = text.find(close, i)
            j = n if j < 0 else j + len(close)
            out.append("\n" * text.count("\n", i, j))
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(" ")
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def main(argv):
    root = argv[1]
    errors = []
    for top in ("src", "include"):
        for directory, _, files in os.walk(os.path.join(root, top)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp", ".inc")):
                    continue
                path = os.path.join(directory, name)
                rel = os.path.relpath(path, root)
                if OLD_NAME.search(name) and name not in ("Messages.h", "Messages.cpp"):
                    errors.append(f"{rel}: a messages file is named Messages.h / Messages.cpp, "
                                  "one per folder")
                if top == "src" and name == "Messages.cpp":
                    continue
                with open(path, encoding="utf-8") as f:
                    code = code_only(f.read())
                for match in THROW.finditer(code):
                    line = code.count("\n", 0, match.start()) + 1
                    errors.append(f"{rel}:{line}: throw outside the messages file: add a "
                                  "[[noreturn]] helper to this folder's Messages.cpp")
    for error in errors:
        print(error)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
