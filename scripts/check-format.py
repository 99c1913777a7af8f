#!/usr/bin/python3
"""Checks that the C++ sources are laid out as the repository's .clang-format says.

    check-format.py [--root DIR] [--clang-format PROGRAM] [--fix] [FILE...]

Without FILE it checks every tracked *.cpp and *.h under the source folders. Prints the
files that clang-format would change and exits with 1 when there is any, 2 when it cannot
run. --fix rewrites those files in place instead. Other clang-format versions lay some
constructs out differently, so it wants version 14, the one Debian 12 installs.
"""
import argparse
import os
import shutil
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

FOLDERS = ["app", "core", "controls", "platform", "ui", "tests", "bench", "tools"]
SOURCES = (".cpp", ".h")
VERSION = "14."


def sources(root):
    try:
        out = subprocess.run(["git", "-C", root, "ls-files", "-z", "--", *FOLDERS], check=True,
                             capture_output=True, text=True).stdout
        files = [f for f in out.split("\0") if f]
    except (OSError, subprocess.CalledProcessError):
        # Not a git checkout (a source archive): every file under the folders.
        files = []
        for folder in FOLDERS:
            for dirpath, _, names in os.walk(os.path.join(root, folder)):
                files += [os.path.relpath(os.path.join(dirpath, n), root) for n in names]
    return sorted(f for f in files if f.endswith(SOURCES))


def find_clang_format(wanted):
    for name in ([wanted] if wanted else ["clang-format-14", "clang-format"]):
        path = shutil.which(name)
        if path:
            return path
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    parser.add_argument("--clang-format", dest="program")
    parser.add_argument("--fix", action="store_true", help="lay the files out in place")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    if not os.path.isfile(os.path.join(root, ".clang-format")):
        print(f"check-format: no .clang-format in {root}", file=sys.stderr)
        return 2
    program = find_clang_format(args.program)
    if not program:
        print("check-format: clang-format not found (scripts/deps.sh installs it)", file=sys.stderr)
        return 2
    version = subprocess.run([program, "--version"], capture_output=True, text=True).stdout
    if f"version {VERSION}" not in version:
        print(f"check-format: {program} is not version {VERSION}x: {version.strip()}", file=sys.stderr)
        return 2

    files = args.files or sources(root)

    mode = ["-i"] if args.fix else ["--dry-run", "--Werror"]

    def differs(f):
        r = subprocess.run([program, *mode, "--style=file", f], cwd=root, capture_output=True, text=True)
        return r.returncode != 0, f, r.stderr

    with ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        results = list(pool.map(differs, files))
    bad = [(f, err) for failed, f, err in results if failed]
    for f, err in bad:
        # A layout difference is the file's name alone; anything else (a missing file) says why.
        print(f if "clang-format-violations" in err else f"{f}: {err.strip().splitlines()[0] if err.strip() else 'failed'}")
    if bad:
        print(f"check-format: {len(bad)} of {len(files)} files differ from .clang-format; "
              "`scripts/check-format.py --fix` lays them out", file=sys.stderr)
        return 1
    print(f"check-format: {len(files)} files {'laid out' if args.fix else 'as .clang-format says'}")
    return 0

if __name__ == "__main__":
    sys.exit(main())
