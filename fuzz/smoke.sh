#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each one for
# N seconds (default 20) from its seed corpus. Exits non-zero when a build fails
# or a target finds a crash, leak, timeout or failed check; the input that did it
# is left in build-fuzz/artifacts/ and belongs in tests/data/crashers/ once fixed.
#
# Usage: fuzz/smoke.sh [seconds]
# Environment: CALIVUE_FUZZ_BUILD (build folder), CXX (a clang++, default clang++).
set -euo pipefail

seconds="${1:-20}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${CALIVUE_FUZZ_BUILD:-$root/build-fuzz}"
compiler="${CXX:-clang++}"
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

cmake -S "$root" -B "$build" "${generator[@]}" \
    -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCALIVUE_WITH_QT=OFF -DCALIVUE_BUILD_TESTS=OFF -DCALIVUE_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_record fuzz_record_pipeline fuzz_tolla fuzz_bitmapfile fuzz_reportproject \
    fuzz_equipmentcsv fuzz_projectjson

artifacts="$build/artifacts"
mkdir -p "$artifacts"
# Input lengths (never below a target's largest seed) and keyword dictionaries: options.sh.
source "$root/fuzz/options.sh"
declare -A corpus=([record]=record [record_pipeline]=record [tolla]=tolla [bitmapfile]=bitmapfile
                   [reportproject]=reportproject [equipmentcsv]=equipmentcsv [projectjson]=projectjson)

status=0
for target in record record_pipeline tolla bitmapfile reportproject equipmentcsv projectjson; do
    # New corpus entries go to a scratch folder so the seeds in the tree stay as committed.
    scratch="$(mktemp -d)"
    echo "== fuzz_$target for ${seconds}s"
    seeds="$root/fuzz/corpus/${corpus[$target]}"
    if ! "$build/bin/fuzz_$target" "$scratch" "$seeds" $(fuzz_dict "$target") \
        -max_total_time="$seconds" -timeout=10 -max_len="$(fuzz_max_len "$target" "$seeds")" \
        -artifact_prefix="$artifacts/$target-" -print_final_stats=1 2>"$build/fuzz_$target.log"; then
        status=1
        echo "fuzz_$target FAILED; log: $build/fuzz_$target.log" >&2
        grep -E "ERROR|SUMMARY|Test unit written" "$build/fuzz_$target.log" >&2 || true
    else
        grep -E "^#[0-9]+[[:space:]]+DONE" "$build/fuzz_$target.log" || true
    fi
    rm -rf "$scratch"
done
exit "$status"
