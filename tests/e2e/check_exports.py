"""Reads the files the scenario exported with readers that are not QEL's own: the CSV with
Python's csv module, the image with Pillow, the PDFs with poppler's pdfinfo and pdftotext.
The expected numbers are those of one 100 kN axle on a 20 m simple span."""
import csv
import subprocess
import sys
from pathlib import Path

from PIL import Image

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
    return ok


def number(text):
    return float(text.replace(",", ""))


def check_csv(path):
    with path.open(newline="") as f:
        first = f.readline().strip()
        check(first == "sep=;", f"{path.name}: first line is {first!r}, not 'sep=;'")
        rows = list(csv.reader(f, delimiter=";"))
    header = rows[0]
    if not check("x Beam" in header and "BMD - Max" in header, f"{path.name}: headings {header}"):
        return
    x, m = header.index("x Beam"), header.index("BMD - Max")
    at_midspan = [number(r[m]) for r in rows[1:] if len(r) > m and r[x] and abs(number(r[x]) - 10.0) < 1e-6]
    # PL/4 = 100 kN x 20 m / 4 = 500 kNm.
    check(at_midspan and abs(max(at_midspan) - 500.0) < 0.01, f"{path.name}: midspan moment {at_midspan}")


def check_image(path):
    with Image.open(path) as img:
        img.load()
        check(img.format == "BMP", f"{path.name}: format {img.format}")
        check(img.width >= 200 and img.height >= 200, f"{path.name}: size {img.size}")
        colours = img.convert("RGB").getcolors(maxcolors=1 << 16)
        # A graph has its background, axes, text and coloured envelopes: never one colour.
        check(colours is None or len(colours) > 3, f"{path.name}: {len(colours or [])} colours only")


def pdf_text(path):
    info = subprocess.run(["pdfinfo", str(path)], capture_output=True, text=True, check=True).stdout
    pages = int(next(l.split()[1] for l in info.splitlines() if l.startswith("Pages:")))
    text = subprocess.run(["pdftotext", str(path), "-"], capture_output=True, text=True, check=True).stdout
    return pages, text


def check_pdf(path, words):
    pages, text = pdf_text(path)
    check(pages >= 1, f"{path.name}: {pages} pages")
    for w in words:
        check(w in text, f"{path.name}: no text {w!r}")


def main(out):
    listing = out / "exports.txt"
    if not check(listing.exists(), "the scenario listed no exports"):
        return
    kinds = set()
    for line in listing.read_text().splitlines():
        kind, _, name = line.partition(" ")
        path = out / name
        if not check(path.exists() and path.stat().st_size > 0, f"{name}: missing or empty"):
            continue
        kinds.add(kind)
        if kind == "csv":
            check_csv(path)
        elif kind == "image":
            check_image(path)
        elif kind == "pdf-table":
            check_pdf(path, ["Moving Load Envelopes", "BMD - Max", "500.00"])
        elif kind == "pdf-graph":
            check_pdf(path, ["Moving Load Envelopes", "Bending Moment Envelope (kNm)"])
        print(f"check_exports: {kind} {name} read")
    for kind in ("csv", "image", "pdf-table", "pdf-graph"):
        check(kind in kinds, f"no {kind} export")


if __name__ == "__main__":
    main(Path(sys.argv[1]))
    for f in failures:
        print("check_exports: FAIL:", f)
    sys.exit(1 if failures else 0)
