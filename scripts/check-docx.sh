#!/usr/bin/env bash
# Writes the sample survey's report as a Word document, converts it to PDF with LibreOffice in
# headless mode and checks the result: the conversion succeeds without warnings, the page count
# is plausible and matches the footer's total, every inspection heading, the summary, the
# appendix and the footer text are in the converted text. The pages are rendered as PNG files
# to look at. Slow (LibreOffice starts once per document), so not part of the test run.
#
#   scripts/check-docx.sh [BUILD_DIR] [OUT_DIR]
#
# The survey is made of the sample snapshots (CALIVUE_SAMPLES, default ../shared/samples
# beside the repository) when they are there, else of generated ones. Installs LibreOffice
# Writer (libreoffice-writer-nogui) with apt-get when soffice is missing.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$(mktemp -d /tmp/check-docx.XXXXXX)}"
mkdir -p "$out"
cli="$build/bin/calivue-cli"
gen="$build/bin/calivue-gen"
samples="${CALIVUE_SAMPLES:-$root/../shared/samples}"
for tool in "$cli" "$gen"; do
  [ -x "$tool" ] || { echo "missing $tool: build calivue-cli and calivue-gen first" >&2; exit 2; }
done
for tool in pdfinfo pdftotext pdftoppm python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (poppler-utils, python3)" >&2; exit 2; }
done
if ! command -v soffice >/dev/null; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    --no-install-recommends libreoffice-writer-nogui
fi

# The project: the generated survey's title and records, its entries the samples' when present.
"$gen" "$out/snapshots" --preset survey --count 8 >/dev/null
project="$out/snapshots/SURVEY.vrp"
if [ -f "$samples/IR_0001.QVX" ]; then
  echo "survey of the sample snapshots in $samples"
  "$cli" project-info "$project" | python3 -c '
import json, sys
project = json.load(sys.stdin)
folder = sys.argv[1]
for i, entry in enumerate(project["entries"]):
    entry["snapshot_path"] = "%s/IR_%04d.QVX" % (folder, i + 1)
    entry["bitmap_path"] = "%s/IR_%04d.BMP" % (folder, i + 1)
json.dump(project, open(sys.argv[2], "w"))' "$samples" "$out/samples.json"
  project="$out/samples.vrp"
  "$cli" project-write "$out/samples.json" "$project" >/dev/null
else
  echo "no sample snapshots in $samples: survey of generated snapshots"
fi
names="$("$cli" project-info "$project" | python3 -c '
import json, sys
for i, r in enumerate(json.load(sys.stdin)["records"]):
    print("Inspection %d - %s" % (i + 1, r["name"]) if r["name"] else "Inspection %d" % (i + 1))')"
inspections="$(printf '%s\n' "$names" | wc -l)"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# language number, name, the footer's text on its first page with the total as %s
for language in 0 13; do
  docx="$out/report-$language.docx"
  start=$(date +%s.%N)
  "$cli" report "$project" "$docx" --language "$language"
  written=$(date +%s.%N)
  log="$out/soffice-$language.log"
  rm -f "${docx%.docx}.pdf"
  soffice --headless --norestore -env:UserInstallation="file://$out/lo-profile" \
    --convert-to pdf --outdir "$out" "$docx" >"$log" 2>&1 || fail "soffice failed ($log)"
  converted=$(date +%s.%N)
  pdf="${docx%.docx}.pdf"
  [ -f "$pdf" ] || { fail "no PDF from $docx"; continue; }
  # javaldx's note is about LibreOffice's Java, not the document.
  if grep -v -e 'javaldx' -e '^convert .* using filter' "$log" | grep -q .; then
    fail "soffice said more than the conversion ($log)"
  fi
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
  text="$(pdftotext -layout "$pdf" -)"
  # Title page, contents, at least a page per inspection, the summary and the appendix.
  [ "$pages" -ge $((inspections + 4)) ] || fail "$pdf: $pages pages for $inspections inspections"
  if [ "$language" = 0 ]; then
    while IFS= read -r heading; do
      grep -qF -- "$heading" <<<"$text" || fail "$pdf: no heading \"$heading\""
    done <<<"$names"
    for t in "Summary" "Severity criteria" "Page 1 of $pages" "Page $pages of $pages"; do
      grep -qF -- "$t" <<<"$text" || fail "$pdf: no \"$t\""
    done
    # Each contents row names the page its heading starts on in the converted document.
    pdftotext -layout "$pdf" - | python3 -c '
import re, sys
pages = sys.stdin.read().split("\f")
wrong = 0
for line in pages[1].splitlines():
    m = re.match(r"^(\S.*?)\.{3,}\s*(\d+)$", line.strip())
    if not m:
        continue
    title, listed = m.group(1).strip(), int(m.group(2))
    found = [i + 1 for i, p in enumerate(pages) if i > 1 and p.lstrip().startswith(title)]
    if found[:1] != [listed]:
        print("contents: %s on page %s, listed as %d" % (title, found[:1], listed))
        wrong += 1
sys.exit(1 if wrong else 0)' || fail "$pdf: the contents list a wrong page"
  else
    # Hebrew: the numbers of every footer and the inspections' numbers.
    grep -qF -- "$pages" <<<"$text" || fail "$pdf: no page total $pages"
  fi
  rm -f "$out/page-$language"-*.png
  pdftoppm -r 50 -png "$pdf" "$out/page-$language"
  awk -v l="$language" -v b="$(stat -c %s "$docx")" -v p="$pages" -v s="$start" \
    -v w="$written" -v c="$converted" 'BEGIN {
      printf "language %s: %s bytes, %s pages, written in %.2f s, converted in %.2f s\n",
             l, b, p, w - s, c - w }'
done
echo "pages rendered in $out"
[ "$failures" -eq 0 ] && echo "check-docx: all checks passed" || exit 1
