#!/usr/bin/env bash
# Reads the built user manual back with poppler's tools, which are not QEL's: its title,
# a sane page count, its pictures, every chapter of docs/manual listed in the contents
# with the page on which that chapter's heading really stands, no line of text twice
# across a page break, and the statements the manual must (and must no longer) make.
# Usage: check-manual.sh MANUAL.pdf CHAPTER_FOLDER MIN_PAGES STATEMENTS REQUIRED_CHAPTER...
set -euo pipefail
pdf=$1; src=$2; min_pages=$3; statements=$4; shift 4
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

# Every picture the chapters name is in the PDF, on its own page only: one drawn off its
# page too would be kept in the file unseen.
named=$(grep -oh '!\[[^]]*\]([^)]*)' "$src"/[0-9][0-9]-*.md | wc -l)
images=$(pdfimages -list "$pdf" | tail -n +3 | wc -l)
[ "$images" -eq "$named" ] || fail "$images pictures in the PDF, the chapters name $named"

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

# The body of each page after the title page, pages separated by a line "\f": without the
# running head (a page's first two lines) and the page number (its last).
body=$(pdftotext "$pdf" - | awk 'BEGIN { RS = "\f" }
  NR > 1 { k = 0; n = split($0, l, "\n")
           for (i = 1; i <= n; i++) if (l[i] !~ /^[[:space:]]*$/) m[++k] = l[i]
           for (i = 3; i < k; i++) print m[i]
           print "\f" }')
[ -n "$body" ] || fail "no text in the PDF"

# A line drawn at a page break belongs to one page: one of the last lines of a page found
# again among the first lines of the next is a line the PDF holds twice.
repeated=$(awk 'function flush() { for (i = 1; i <= 3 && i <= k; i++) last[i] = m[k - i + 1]; nlast = (k < 3 ? k : 3); k = 0 }
  $0 == "\f" { flush(); page++; next }
  { m[++k] = $0
    if (page > 0 && k <= 3 && length($0) >= 20)
      for (i = 1; i <= nlast; i++) if ($0 == last[i]) { printf "page %d: %s\n", page + 2, $0; exit } }' <<<"$body")
[ -z "$repeated" ] || fail "a line at a page break is in the text twice, $repeated"

# The statements, against the body as one text with its spaces folded. pdftotext joins a
# word broken after a hyphen at the end of a line ("single-" "position" reads
# "singleposition"), so hyphens are left out on both sides.
text=$(grep -vx $'\f' <<<"$body" | tr -s ' \t\n' '   ' | tr -d -- '-')
said() { grep -qF -- "$(tr -d -- '-' <<<"$1")" <<<"$text"; }
nstatements=0
while IFS= read -r line; do
  case "$line" in
    "+ "*) said "${line#+ }" || fail "the manual does not say: ${line#+ }" ;;
    "- "*) ! said "${line#- }" || fail "the manual still says: ${line#- }" ;;
    ""|"#"*) continue ;;
    *) fail "a line of $statements is neither '+ text' nor '- text': $line" ;;
  esac
  nstatements=$((nstatements + 1))
done < "$statements"
[ "$nstatements" -gt 0 ] || fail "no statements in $statements"

echo "manual: $pages pages, $images pictures, ${#chapters[@]} chapters, each where the contents say;" \
     "no line twice at a page break; $nstatements statements checked"
