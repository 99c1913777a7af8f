#!/usr/bin/env bash
# Reads the built user manual back with poppler's tools, which are not QEL's: its title,
# a sane page count, its pictures, and every chapter of docs/manual listed in the contents
# with the page on which that chapter's heading really stands.
# Usage: check-manual.sh MANUAL.pdf CHAPTER_FOLDER MIN_PAGES REQUIRED_CHAPTER...
set -euo pipefail
pdf=$1; src=$2; min_pages=$3; shift 3
fail() { echo "manual: $*"; exit 1; }
for tool in pdfinfo pdftotext pdfimages; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (bash scripts/deps.sh)"
done
[ -s "$pdf" ] || fail "no manual at $pdf"

info=$(pdfinfo "$pdf")
title=$(sed -n 's/^Title: *//p' <<<"$info")
pages=$(sed -n 's/^Pages: *//p' <<<"$info")
[ "$title" = "QEL User Manual" ] || fail "title is '$title'"
[ "$pages" -ge "$min_pages" ] || fail "$pages pages, fewer than $min_pages"

# Every picture the chapters name is in the PDF.
named=$(grep -oh '!\[[^]]*\]([^)]*)' "$src"/[0-9][0-9]-*.md | wc -l)
images=$(pdfimages -list "$pdf" | tail -n +3 | wc -l)
[ "$images" -ge "$named" ] || fail "$images pictures in the PDF, the chapters name $named"

# Chapter headings, in the order of the files: "# Title" lines outside code blocks.
mapfile -t chapters < <(awk '/^```/ { code = !code } !code && /^# / { sub(/^# /, ""); print }' \
                              $(ls "$src"/[0-9][0-9]-*.md | sort))
[ "${#chapters[@]}" -gt 0 ] || fail "no chapters in $src"
# No early-exiting reader at the end of a pipe: under pipefail, the writer's SIGPIPE would
# fail the check now and then.
listed=$(printf '%s\n' "${chapters[@]}")
for required in "$@"; do
  grep -qxF -- "$required" <<<"$listed" || fail "no chapter '$required' in $src"
done

# Text of one page, its spaces folded to one.
page_text() { pdftotext -f "$1" -l "$1" -layout "$pdf" - | tr -s ' \t' ' '; }
contents=$(for p in 2 3 4; do page_text "$p"; done)
n=0
for chapter in "${chapters[@]}"; do
  n=$((n + 1))
  entry=$(grep -m1 -E "^ ?$n $(sed 's/[][\.*^$(){}+?|/]/\\&/g' <<<"$chapter") [0-9]+ ?$" <<<"$contents") \
    || fail "chapter $n '$chapter' is not in the contents"
  page=$(grep -oE '[0-9]+ ?$' <<<"$entry" | tr -d ' ')
  [ "$page" -le "$pages" ] || fail "the contents put chapter $n on page $page of $pages"
  # The heading opens its page, below the running head.
  opening=$(page_text "$page" | grep -vE '^ ?(QEL User Manual|$)' | sed -n 1p)
  grep -qxE " ?$n $(sed 's/[][\.*^$(){}+?|/]/\\&/g' <<<"$chapter") ?" <<<"$opening" \
    || fail "page $page does not open with the heading '$n $chapter'"
done
echo "manual: $pages pages, $images pictures, ${#chapters[@]} chapters, each where the contents say"
