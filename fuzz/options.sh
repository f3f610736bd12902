# Sourced by smoke.sh and campaign.sh: the libFuzzer options every run of a target gets.
#
# fuzz_max_len TARGET CORPUS: the input length cap. Inputs as long as each reader's largest
# file (a whole record, a project with long texts); the CSV and JSON readers get texts of a
# few hundred items. Never below the largest seed of the target's corpus: libFuzzer cuts
# longer seeds to -max_len, and the fields only a long input reaches (32-bit text lengths of
# the long-texts project, a whole photograph file) would never be fuzzed.
# fuzz_dict TARGET: -dict=fuzz/TARGET.dict when that keyword dictionary exists.

declare -A fuzz_len_table=([record]=160000 [record_pipeline]=160000 [tolla]=1024
                           [bitmapfile]=4096 [reportproject]=160000 [equipmentcsv]=16384
                           [projectjson]=65536)

fuzz_max_len() {
    local len="${fuzz_len_table[$1]:-4096}" largest=0
    [[ -d "$2" ]] && largest="$(find "$2" -type f -printf '%s\n' | sort -n | tail -1)"
    ((${largest:-0} > len)) && len="$largest"
    echo "$len"
}

fuzz_dict() {
    local dict
    dict="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$1.dict"
    [[ -f "$dict" ]] && echo "-dict=$dict"
    return 0
}
