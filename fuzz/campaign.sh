#!/usr/bin/env bash
# A fuzzing campaign (not part of the test run; smoke.sh is the short one): builds the
# libFuzzer targets into build-fuzz/ and runs every target listed in fuzz/CMakeLists.txt,
# one at a time, until it has executed RUNS inputs or SECONDS have passed. Then
#   - inputs that add coverage are merged into fuzz/corpus/<corpus>/ (-merge=1 keeps only
#     those; the smallest first, up to a byte budget per target, so the corpus stays small);
#   - any crash, leak, timeout or out-of-memory input is copied to tests/data/crashers/
#     under the target's crasher prefix, where the replay tests run it in every build.
# Prints executions, rate, corpus growth and findings per target, and the totals of every
# campaign so far, which fuzz/campaign_totals.tsv keeps (one line per target: executions and
# findings; the file is committed, so campaigns on other machines add up too).
# Exits 1 on any finding.
#
# Usage: fuzz/campaign.sh [SECONDS per target, default 3600] [RUNS per target, default 10000000]
# Environment: CALIVUE_FUZZ_BUILD (build folder), CXX (a clang++, default clang++),
#              CALIVUE_CAMPAIGN_TARGETS (a space-separated subset of the targets, run in that order),
#              CALIVUE_CAMPAIGN_END (a time `date -d` reads: the whole campaign ends by then; each
#                target gets at most an equal share of the time left, so what a fast target
#                leaves unused goes to the ones after it),
#              CALIVUE_CAMPAIGN_MAX_ADDED_KB (corpus bytes a target may add, default 256),
#              CALIVUE_CAMPAIGN_MAX_ADDED_FILES (corpus files a target may add, default 200),
#              CALIVUE_CAMPAIGN_WORKERS (fuzzer processes per target, run side by side and
#                counted together, default 1),
#              CALIVUE_FUZZ_JOBS (parallel compile jobs, default 2).
set -euo pipefail

seconds="${1:-3600}"
runs="${2:-10000000}"
max_added_kb="${CALIVUE_CAMPAIGN_MAX_ADDED_KB:-256}"
max_added_files="${CALIVUE_CAMPAIGN_MAX_ADDED_FILES:-200}"
workers="${CALIVUE_CAMPAIGN_WORKERS:-1}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${CALIVUE_FUZZ_BUILD:-$root/build-fuzz}"
compiler="${CXX:-clang++}"
lists="$root/fuzz/CMakeLists.txt"
totals="$root/fuzz/campaign_totals.tsv"
crashers="$root/tests/data/crashers"

# The targets, their corpus folders and crasher prefixes, as the CMake file names them.
read -r -a targets <<<"$(sed -n 's/^set(CALIVUE_FUZZ_TARGETS \(.*\))$/\1/p' "$lists")"
[[ -n "${CALIVUE_CAMPAIGN_TARGETS:-}" ]] && read -r -a targets <<<"$CALIVUE_CAMPAIGN_TARGETS"
setting() { sed -n "s/^set(CALIVUE_$1_$2 \(.*\))$/\1/p" "$lists"; }
# Input lengths (never below a target's largest seed) and keyword dictionaries.
source "$root/fuzz/options.sh"
end_epoch=""
[[ -n "${CALIVUE_CAMPAIGN_END:-}" ]] && end_epoch="$(date -d "$CALIVUE_CAMPAIGN_END" +%s)"

generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" \
    -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCALIVUE_WITH_QT=OFF -DCALIVUE_BUILD_TESTS=OFF -DCALIVUE_FUZZ=ON >/dev/null
cmake --build "$build" -j "${CALIVUE_FUZZ_JOBS:-2}" --target "${targets[@]/#/fuzz_}"

# Adds a target's executions and findings to the totals file and prints its new totals. Each
# target's run adds as soon as it ends, under a lock, so campaigns run side by side (on other
# targets) or cut short all count.
add_to_totals() {
    local target="$1" execs="$2" found="$3"
    (
        flock 9
        declare -A e f
        if [[ -f "$totals" ]]; then
            while IFS=$'\t' read -r t x y; do
                [[ -z "$t" || "$t" == \#* ]] && continue
                e[$t]=$x f[$t]=$y
            done <"$totals"
        fi
        e[$target]=$((${e[$target]:-0} + execs))
        f[$target]=$((${f[$target]:-0} + found))
        {
            printf '# target\texecutions\tfindings, all campaigns so far (fuzz/campaign.sh adds each run)\n'
            for t in $(printf '%s\n' "${!e[@]}" | sort); do
                printf '%s\t%s\t%s\n' "$t" "${e[$t]}" "${f[$t]}"
            done
        } >"$totals.new"
        mv "$totals.new" "$totals"
        printf '%s execs %s findings' "${e[$target]}" "${f[$target]}"
    ) 9<"$(dirname "$totals")"
}

work="$build/campaign"
mkdir -p "$work"
summary=()
status=0
left=${#targets[@]}
for target in "${targets[@]}"; do
    target_seconds="$seconds"
    if [[ -n "$end_epoch" ]]; then
        # Leaves a minute per target for the merge after its run.
        share=$(((end_epoch - $(date +%s)) / left - 60))
        ((share < target_seconds)) && target_seconds=$share
        ((target_seconds < 10)) && target_seconds=10
    fi
    left=$((left - 1))
    corpus_name="$(setting FUZZ_CORPUS "$target")"
    corpus="$root/fuzz/corpus/${corpus_name:-$target}"
    prefix="$(setting CRASHER_PREFIX "$target")"
    scratch="$work/$target.new"
    artifacts="$work/$target.artifacts"
    log="$work/$target.log"
    rm -rf "$scratch" "$artifacts"
    mkdir -p "$scratch" "$artifacts" "$corpus"
    echo "== fuzz_$target: up to $runs inputs or ${target_seconds}s"
    # New inputs go to the scratch folder; the committed corpus is read, not written.
    fuzz_status=0
    len="$(fuzz_max_len "$target" "$corpus")"
    run_start=$(date +%s)
    # Each worker is a fuzzer process of its own with its share of the runs; all of them
    # add to the same scratch and artifact folders (their files are named by content).
    pids=()
    : >"$log"
    for ((w = 1; w <= workers; w++)); do
        "$build/bin/fuzz_$target" "$scratch" "$corpus" $(fuzz_dict "$target") \
            -runs="$(((runs + workers - 1) / workers))" -seed="$((run_start + w))" \
            -max_total_time="$target_seconds" -max_len="$len" -timeout=10 \
            -artifact_prefix="$artifacts/" -print_final_stats=1 >"$log.$w" 2>&1 &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || fuzz_status=$?; done
    fuzzed_seconds=$(($(date +%s) - run_start))
    executed=0 rate=0
    for ((w = 1; w <= workers; w++)); do
        cat "$log.$w" >>"$log"
        x="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log.$w" | tail -1)"
        y="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log.$w" | tail -1)"
        executed=$((executed + ${x:-0})) rate=$((rate + ${y:-0}))
        rm -f "$log.$w"
    done

    # Only inputs that add coverage to the committed corpus are kept (merged into a copy
    # first), the smallest first, up to max_added_kb and max_added_files per target: a record
    # seed is 154 KB.
    merged="$work/$target.merged"
    rm -rf "$merged"
    cp -r "$corpus" "$merged"
    "$build/bin/fuzz_$target" -merge=1 -max_len="$len" "$merged" \
        "$scratch" >>"$log" 2>&1 || true
    added=0
    budget=$((max_added_kb * 1024))
    while read -r size file; do
        [[ -e "$corpus/$(basename "$file")" ]] && continue
        ((size > budget || added >= max_added_files)) && break
        cp "$file" "$corpus/"
        budget=$((budget - size))
        added=$((added + 1))
    done < <(find "$merged" -type f -printf '%s %p\n' | sort -n)

    findings=0
    for f in "$artifacts"/*; do
        [[ -f "$f" ]] || continue
        findings=$((findings + 1))
        kind="$(basename "$f" | cut -d- -f1)"
        name="${prefix}fuzz_${target}_${kind}_$(sha1sum "$f" | cut -c1-12)"
        cp "$f" "$crashers/$name"
        echo "   finding: $crashers/$name" >&2
    done
    if [[ $findings -gt 0 || $fuzz_status -ne 0 ]]; then
        status=1
        grep -E "ERROR|SUMMARY" "$log" >&2 || true
    fi
    all="$(add_to_totals "$target" "${executed:-0}" "$findings")"
    summary+=("$(printf '%-16s %10s execs %6s exec/s %5ss %3d corpus added %2d findings | all campaigns %s' \
        "$target" "${executed:-?}" "${rate:-?}" "$fuzzed_seconds" "$added" "$findings" "$all")")
done

echo "== campaign: up to ${seconds}s or $runs inputs per target"
printf '%s\n' "${summary[@]}"
exit "$status"
