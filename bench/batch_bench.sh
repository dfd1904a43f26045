#!/usr/bin/env bash
# Times kestal-convert on a million measurements and reports its peak memory.
#
#   bench/batch_bench.sh PATH/TO/kestal-convert [COUNT [BEFORE]]
#
# BEFORE, another build of kestal-convert (an earlier revision's), is measured
# the same way in the same run, so that a change's figures compare.
# The values are in-range decimals of every scale written the French way
# ("456,7", "61,45"), generated deterministically so that runs compare. Two runs
# are measured:
#   one scale     COUNT HV values through one process
#   seven scales  COUNT values shared out over the seven scales, one process each
# Each is checked first (exit status, one row per value, no row without a
# converted figure) so that a broken binary cannot pass for a fast one. A
# binary with --column gets a third run:
#   spreadsheet   the one-scale values as field 2 of a semicolon file, with
#                 --column 2 --delimiter ';' --detail
# Timing
# uses hyperfine when installed (median of several runs), otherwise one run of
# /usr/bin/time; peak RSS always comes from /usr/bin/time.

set -euo pipefail

if [[ $# -lt 1 || $# -gt 3 ]]; then
    echo "usage: $0 PATH/TO/kestal-convert [COUNT [BEFORE]]" >&2
    exit 2
fi
count=${2:-1000000}
binaries=("$(realpath "$1")")
if [[ $# -eq 3 ]]; then
    binaries+=("$(realpath "$3")")
fi
for binary in "${binaries[@]}"; do
    if [[ ! -x "$binary" ]]; then
        echo "$0: $binary is not an executable" >&2
        exit 2
    fi
done
if [[ ! -x /usr/bin/time ]]; then
    echo "$0: /usr/bin/time (GNU time) is needed for the peak RSS" >&2
    exit 2
fi

# French conventions, as kestal-convert takes them where no locale is named.
unset LC_ALL LC_NUMERIC LANG

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

scales=(HV HB HRA HRB HRC HRD Rm)
# Bounds kept just inside each scale's run in the built-in table.
declare -A low=([HV]=80 [HB]=76 [HRA]=60.7 [HRB]=62 [HRC]=20.3 [HRD]=40.3 [Rm]=280)
declare -A high=([HV]=940 [HB]=586 [HRA]=85.6 [HRB]=96.3 [HRC]=68 [HRD]=76.9 [Rm]=2220)

# COUNT values between LOW and HIGH, one or two decimals, decimal comma. The
# Park-Miller generator stays exact in awk's doubles, so any awk gives the same
# file from the same seed.
generate() {
    local n=$1 lo=$2 hi=$3 seed=$4
    LC_ALL=C awk -v n="$n" -v lo="$lo" -v hi="$hi" -v x="$seed" 'BEGIN {
        for (i = 0; i < n; i++) {
            x = (x * 16807) % 2147483647
            v = lo + (hi - lo) * (x / 2147483647)
            s = sprintf(i % 3 == 0 ? "%.2f" : "%.1f", v)
            if (s + 0 < lo) s = sprintf("%.2f", lo)
            if (s + 0 > hi) s = sprintf("%.2f", hi)
            sub(/\./, ",", s)
            print s
        }
    }'
}

generate "$count" "${low[HV]}" "${high[HV]}" 1 >"$work/one_scale.txt"
per_scale=$((count / ${#scales[@]}))
for k in "${!scales[@]}"; do
    scale=${scales[$k]}
    n=$per_scale
    if [[ $k -eq 0 ]]; then
        n=$((count - per_scale * (${#scales[@]} - 1)))
    fi
    generate "$n" "${low[$scale]}" "${high[$scale]}" $((k + 2)) >"$work/$scale.txt"
done

# One row per value after the header, and every in-range value converts to at
# least one other scale.
check() {
    local scale=$1 input=$2 expected
    expected=$(wc -l <"$input")
    if ! "$binary" --from "$scale" <"$input" >"$work/out.tsv"; then
        echo "$0: kestal-convert --from $scale failed" >&2
        exit 1
    fi
    awk -F '\t' -v expected="$expected" -v scale="$scale" '
        NR > 1 && ($2 $3 $4 $5 $6 $7) == "" { empty++ }
        END {
            if (NR - 1 != expected) {
                printf "%s: %d rows for %d values\n", scale, NR - 1, expected > "/dev/stderr"; exit 1
            }
            if (empty > 0) {
                printf "%s: %d in-range values converted to nothing\n", scale, empty > "/dev/stderr"; exit 1
            }
        }' "$work/out.tsv"
}

measure() {
    local label=$1 cmd=$2 seconds rss
    if command -v hyperfine >/dev/null; then
        hyperfine --style none --warmup 1 --runs 5 --export-csv "$work/times.csv" \
            "$cmd" >/dev/null
        # command,mean,stddev,median,user,system,min,max
        seconds=$(awk -F, 'NR == 2 { printf "%.3f s median of 5 (min %.3f, max %.3f)", $4, $7, $8 }' \
            "$work/times.csv")
    else
        /usr/bin/time -f '%e' -o "$work/elapsed" bash -c "$cmd"
        seconds="$(cat "$work/elapsed") s (one run)"
    fi
    /usr/bin/time -f '%M' -o "$work/rss" bash -c "$cmd"
    rss=$(cat "$work/rss")
    printf '%-13s %s, peak RSS %d KiB (%.1f MiB)\n' "$label" "$seconds" "$rss" \
        "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
}

# Each binary checked, then timed, in turn.
bench() {
    local binary=$1 scale
    one_scale_cmd="'$binary' --from HV <'$work/one_scale.txt' >/dev/null"
    seven_scales_cmd=""
    for scale in "${scales[@]}"; do
        seven_scales_cmd+="'$binary' --from $scale <'$work/$scale.txt' >/dev/null && "
    done
    seven_scales_cmd+="true"
    spreadsheet=false
    if "$binary" --help | grep -q -- --column; then
        spreadsheet=true
        awk '{ printf "E%d;%s\n", NR, $0 }' "$work/one_scale.txt" >"$work/one_scale.csv"
    fi
    spreadsheet_cmd="'$binary' --from HV --column 2 --delimiter ';' --detail \
    <'$work/one_scale.csv' >/dev/null"

    check HV "$work/one_scale.txt"
    for scale in "${scales[@]}"; do
        check "$scale" "$work/$scale.txt"
    done
    # Same check on the spreadsheet run: one line per value, none left unconverted.
    if $spreadsheet; then
        bash -c "${spreadsheet_cmd%>/dev/null}" >"$work/out.csv"
        awk -F ';' -v expected="$(wc -l <"$work/one_scale.csv")" '
            ($3 $4 $5 $6 $7 $8) == "" || $10 == "" { empty++ }
            END { if (NR != expected || empty > 0) { print "spreadsheet: wrong output" > "/dev/stderr"; exit 1 } }
        ' "$work/out.csv"
    fi

    echo "kestal-convert: $binary, $count values"
    measure "one scale" "$one_scale_cmd"
    measure "seven scales" "$seven_scales_cmd"
    if $spreadsheet; then
        measure "spreadsheet" "$spreadsheet_cmd"
    fi
}

bench "${binaries[0]}"
if ((${#binaries[@]} > 1)); then
    echo
    echo "before:"
    bench "${binaries[1]}"
fi
