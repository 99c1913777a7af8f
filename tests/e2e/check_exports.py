"""Reads the files the scenario exported with readers that are not QEL's own."""
import sys
from pathlib import Path


def main(out: Path) -> int:
    failures = []
    listing = out / "exports.txt"
    if not listing.exists():
        print("check_exports: the scenario listed no exports")
        return 1
    for line in listing.read_text().splitlines():
        kind, _, name = line.partition(" ")
        path = out / name
        if not path.exists() or path.stat().st_size == 0:
            failures.append(f"{name}: missing or empty")
            continue
        print(f"check_exports: {kind} {name}")
    for f in failures:
        print("check_exports: FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1])))
