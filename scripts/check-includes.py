#!/usr/bin/python3
"""Checks that every source of a layer includes only headers of the layers it may use.

    check-includes.py [--root DIR] [--qt-include DIR...]

The layers and their rules are those of docs/architecture.md. --qt-include takes Qt's
include folders; the one named QtCore tells which bare Qt headers belong to QtCore (by
default it is looked for under /usr/include). Prints one line per forbidden include (file, line,
rule) and exits with 1 when there is any, 2 when the tree is not what it expects.
"""
import argparse
import glob
import os
import re
import sys

# Longest prefix first: a file belongs to the first layer whose folder holds it.
LAYERS = ["platform/base", "core", "platform", "controls", "ui", "app/doc", "app"]

# What each layer may include of this repository's layers. "qt" is "any", "core" (QtCore
# only) or "none".
RULES = {
    "core": ({"core", "platform/base"}, "none"),
    "platform/base": ({"platform/base"}, "none"),
    "platform": ({"platform", "platform/base"}, "any"),
    "controls": ({"controls", "platform", "platform/base"}, "any"),
    "ui": ({"ui", "controls", "platform", "platform/base", "core"}, "any"),
    "app/doc": ({"app/doc", "core", "platform/base"}, "core"),
    "app": ({"app", "app/doc", "ui", "controls", "platform", "platform/base", "core"}, "any"),
}

# Includes that break a rule on purpose: (file, included header) -> why. None today.
EXCEPTIONS = {}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_MODULE = re.compile(r"^(Qt[A-Z]\w*)/")
QT_BARE = re.compile(r"^(Q[A-Z]\w*|q\w+\.h)$")
SOURCES = (".cpp", ".h")


def layer_of(rel):
    for layer in LAYERS:
        if rel.startswith(layer + "/"):
            return layer
    return None


def strip_block_comments(lines):
    """The lines with /* ... */ blanked, so a commented-out include is not read."""
    out, inside = [], False
    for line in lines:
        text, i = "", 0
        while i < len(line):
            if inside:
                j = line.find("*/", i)
                if j < 0:
                    i = len(line)
                else:
                    inside, i = False, j + 2
            else:
                j = line.find("/*", i)
                k = line.find("//", i)
                if j < 0 or (0 <= k < j):
                    text += line[i:]
                    i = len(line)
                else:
                    text += line[i:j] + " "
                    inside, i = True, j + 2
        out.append(text)
    return out


def qtcore_headers(dirs):
    for d in dirs:
        if os.path.basename(os.path.normpath(d)) == "QtCore" and os.path.isdir(d):
            return set(os.listdir(d))
    for d in glob.glob("/usr/include/*/qt6/QtCore") + glob.glob("/usr/include/qt6/QtCore"):
        return set(os.listdir(d))
    return None


def classify(root, src_dir, bracket, name):
    """('repo', layer) for a header of this repository, ('qt', module) for Qt, else None."""
    candidates = [os.path.join(root, name)]
    if bracket == '"':
        candidates.insert(0, os.path.join(src_dir, name))
    for c in candidates:
        if os.path.isfile(c):
            rel = os.path.relpath(os.path.realpath(c), os.path.realpath(root)).replace(os.sep, "/")
            if rel.startswith("../"):
                return None
            return ("repo", layer_of(rel) or rel.split("/")[0])
    # A header of this repository's layout that is not (yet) there still names its layer.
    if layer_of(name):
        return ("repo", layer_of(name))
    m = QT_MODULE.match(name)
    if m:
        return ("qt", m.group(1))
    if QT_BARE.match(name):
        return ("qt", None)
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    parser.add_argument("--qt-include", nargs="*", default=[])
    args = parser.parse_args()
    root = os.path.realpath(args.root)
    qtcore = qtcore_headers(args.qt_include)

    files = []
    for top in ("core", "platform", "controls", "ui", "app"):
        if not os.path.isdir(os.path.join(root, top)):
            print(f"check-includes: no folder {top}/ under {root}", file=sys.stderr)
            return 2
        for dirpath, _, names in os.walk(os.path.join(root, top)):
            files += [os.path.join(dirpath, n) for n in names if n.endswith(SOURCES)]

    faults = 0
    for path in sorted(files):
        rel = os.path.relpath(path, root).replace(os.sep, "/")
        layer = layer_of(rel)
        allowed, qt = RULES[layer]
        with open(path, encoding="utf-8", errors="replace") as f:
            lines = strip_block_comments(f.read().splitlines())
        for number, line in enumerate(lines, 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            bracket, name = m.groups()
            kind = classify(root, os.path.dirname(path), bracket, name)
            if kind is None:
                continue  # the standard library, Boost, the system
            rule = None
            if kind[0] == "repo" and kind[1] not in allowed:
                rule = f"{layer}/ may include only {', '.join(sorted(allowed))}, not {kind[1]}/"
            elif kind[0] == "qt" and qt == "none":
                rule = f"{layer}/ never includes Qt"
            elif kind[0] == "qt" and qt == "core":
                module = kind[1]
                if module is None:
                    if qtcore is None:
                        print("check-includes: QtCore's include folder not found (--qt-include)", file=sys.stderr)
                        return 2
                    module = "QtCore" if name in qtcore else "a Qt module other than QtCore"
                if module != "QtCore":
                    rule = f"{layer}/ may include QtCore at most, not {module}"
            if rule and (rel, name) not in EXCEPTIONS:
                print(f"{rel}:{number}: #include {bracket}{name}{'>' if bracket == '<' else chr(34)}: {rule}")
                faults += 1

    if faults:
        print(f"check-includes: {faults} include(s) across layers; see docs/architecture.md", file=sys.stderr)
        return 1
    print(f"check-includes: {len(files)} sources, every include within its layer's rules")
    return 0


if __name__ == "__main__":
    sys.exit(main())
