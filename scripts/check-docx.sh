#!/usr/bin/env bash
# Writes the sample survey's report as a Word document, converts it to PDF with LibreOffice in
# headless mode and checks the result: the conversion succeeds without warnings, the page count
# is plausible and matches the footer's total, every inspection heading, the summary, the
# appendix and the footer text are in the converted text, the contents name the right pages.
# Then the same for a generated 12-inspection survey with an equipment list and a previous
# survey: the "Equipment" appendix is listed and printed, every exception's page in it is the
# page its inspection starts on, and every inspection naming an item prints the previous
# finding and the change. The pages are rendered as PNG files to look at, beside the modern
# PDF's. Slow (LibreOffice starts once per document), so not part of the test run.
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
# The equipment survey: 12 generated inspections, a list of 12 items (ten inspected once, one
# twice, one inspection naming none, one item not inspected with a reason, one marked inspected)
# and a previous survey of the same snapshots whose priorities were set otherwise.
mkdir -p "$out/equipment"
"$gen" "$out/equipment" --preset survey --count 12 >/dev/null
"$cli" project-info "$out/equipment/SURVEY.vrp" | python3 -c '
import json, sys
project = json.load(sys.stdin)
n = len(project["records"])
items = []
for i in range(12):
    r = project["records"][i % n]
    items.append({"id": "EQ-%02d" % (i + 1), "location": r["location"],
                  "description": r["equipment"], "rated_load": None,
                  "status": "not inspected", "reason": None})
items[10]["reason"] = "inaccessible: locked switch room"
items[11]["status"] = "inspected"
links = (["EQ-%02d" % (i + 1) for i in range(10)] + ["EQ-01", None] + [None] * n)[:n]
for name, previous in (("previous", None), ("current", "previous.vrp")):
    p = json.loads(json.dumps(project))
    p["equipment"], p["previous_project"], p["report_layout"] = items, previous, "modern"
    for i, r in enumerate(p["records"]):
        r["equipment_id"] = links[i]
        if previous is None:
            r["repairPriority"], r["priority_manual"] = [4, 0, 3, 5, 0, 2, 1, 0, 4, 3, 2, 0][i % 12], True
    json.dump(p, open("%s/%s.json" % (sys.argv[1], name), "w"))' "$out/equipment"
"$cli" project-write "$out/equipment/previous.json" "$out/equipment/previous.vrp" >/dev/null
"$cli" project-write "$out/equipment/current.json" "$out/equipment/current.vrp" >/dev/null
equipment_project="$out/equipment/current.vrp"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The inspections' headings of a project, one a line.
headings() {
  "$cli" project-info "$1" | python3 -c '
import json, sys
for i, r in enumerate(json.load(sys.stdin)["records"]):
    print("Inspection %d - %s" % (i + 1, r["name"]) if r["name"] else "Inspection %d" % (i + 1))'
}

# survey name, project, language number
for run in "samples $project 0" "samples $project 13" "equipment $equipment_project 0"; do
  read -r survey vrp language <<<"$run"
  names="$(headings "$vrp")"
  inspections="$(printf '%s\n' "$names" | wc -l)"
  docx="$out/$survey-$language.docx"
  start=$(date +%s.%N)
  "$cli" report "$vrp" "$docx" --language "$language"
  written=$(date +%s.%N)
  # The modern PDF of the same project, to compare the pages with.
  "$cli" report "$vrp" "$out/$survey-$language-modern.pdf" --language "$language" \
    --layout modern >/dev/null
  log="$out/soffice-$survey-$language.log"
  pdf="${docx%.docx}.pdf"
  rm -f "$pdf"
  soffice --headless --norestore -env:UserInstallation="file://$out/lo-profile" \
    --convert-to pdf --outdir "$out" "$docx" >"$log" 2>&1 || fail "soffice failed ($log)"
  converted=$(date +%s.%N)
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
    # Each contents row names the page its heading starts on in the converted document; in
    # the equipment appendix each exception names the pages its item's inspections start on.
    pdftotext -layout "$pdf" - | python3 -c '
import re, subprocess, sys
pages = sys.stdin.read().split("\f")
wrong = 0
starts = {}
for line in pages[1].splitlines():
    m = re.match(r"^(\S.*?)\.{3,}\s*(\d+)$", line.strip())
    if not m:
        continue
    title, listed = m.group(1).strip(), int(m.group(2))
    found = [i + 1 for i, p in enumerate(pages) if i > 1 and p.lstrip().startswith(title)]
    starts[title] = found[:1]
    if found[:1] != [listed]:
        print("contents: %s on page %s, listed as %d" % (title, found[:1], listed))
        wrong += 1
if sys.argv[1] == "equipment":
    # The appendix in reading order, each cell whole: "exception, see pages 3, 23".
    raw = subprocess.run(["pdftotext", "-raw", sys.argv[3], "-"], capture_output=True,
                         text=True).stdout.split("\f")
    appendix = [p for p in raw if p.lstrip().startswith("Equipment\n")]
    if "Equipment" not in starts or not appendix:
        print("no equipment appendix")
        wrong += 1
    table = re.sub(r"\s+", " ", "".join(appendix))
    listed = sorted(int(n) for m in re.finditer(r"see pages? ([\d, ]+\d)", table)
                    for n in m.group(1).replace(",", " ").split())
    inspected = sorted(v[0] for k, v in starts.items() if k.startswith("Inspection") and v)
    if not listed or not set(listed) <= set(inspected):
        print("equipment appendix pages %s, inspections start on %s" % (listed, inspected))
        wrong += 1
    compared = len(re.findall(r"^\s*Previous survey \(", "\n".join(pages), re.M))
    changes = len(re.findall(r"^\s*Change: ", "\n".join(pages), re.M))
    if compared != int(sys.argv[2]) or changes != compared:
        print("%d previous findings and %d changes for %s inspections naming an item"
              % (compared, changes, sys.argv[2]))
        wrong += 1
sys.exit(1 if wrong else 0)' "$survey" 11 "$pdf" || fail "$pdf: the contents or the appendix list a wrong page"
  else
    # Hebrew: the numbers of every footer and the inspections' numbers.
    grep -qF -- "$pages" <<<"$text" || fail "$pdf: no page total $pages"
  fi
  rm -f "$out/page-$survey-$language"-*.png "$out/modern-$survey-$language"-*.png
  pdftoppm -r 50 -png "$pdf" "$out/page-$survey-$language"
  pdftoppm -r 50 -png "$out/$survey-$language-modern.pdf" "$out/modern-$survey-$language"
  modern=$(pdfinfo "$out/$survey-$language-modern.pdf" | awk '/^Pages:/ {print $2}')
  awk -v r="$survey-$language" -v b="$(stat -c %s "$docx")" -v p="$pages" -v m="$modern" \
    -v s="$start" -v w="$written" -v c="$converted" 'BEGIN {
      printf "%s: %s bytes, %s pages (modern PDF %s), written in %.2f s, converted in %.2f s\n",
             r, b, p, m, w - s, c - w }'
done
echo "pages rendered in $out"
[ "$failures" -eq 0 ] && echo "check-docx: all checks passed" || exit 1
