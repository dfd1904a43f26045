#!/usr/bin/env bash
# Times kestal from process start to its main window first shown, and its peak
# memory, against an empty Qt window of the same size (bench/bare_window): the
# floor that Qt itself costs. The target is kestal within 20% of the bare window
# on both.
#
#   bench/startup_bench.sh BUILD_DIR [RUNS] [text]
#
# BUILD_DIR is a build tree holding app/kestal and bench/bare_window, e.g.
# build/release. With "text", the floor is bench/bare_text_window, the same
# window with one line of text: what any window that shows text costs, Qt's
# font database and its first glyphs, which the empty one never loads. Both run on Qt's offscreen platform with KESTAL_QUIT_WHEN_SHOWN
# set, so that each prints "shown: TITLE" once its window's first expose has been
# handled, then quits. Each is checked first (exit status 0 and that line) so
# that a broken binary cannot pass for a fast one. Three figures per program:
#   start to shown  from exec to the "shown: " line arriving on a pipe, RUNS runs
#                   of each, interleaved; the figure the target is about
#   start to exit   hyperfine, 3 warm-up runs then RUNS runs; includes the
#                   teardown after the window was shown
#   peak RSS        /usr/bin/time, 5 runs, median and max
# RUNS defaults to 30 and must be at least 20. Both programs run in the same,
# minimal environment.

set -euo pipefail
# The script's own arithmetic and clock readings with a decimal point.
export LC_ALL=C

if [[ $# -lt 1 || $# -gt 3 || ( $# -eq 3 && "$3" != text ) ]]; then
    echo "usage: $0 BUILD_DIR [RUNS] [text]" >&2
    exit 2
fi
build_dir=$(realpath "$1")
runs=${2:-30}
if ! [[ "$runs" =~ ^[0-9]+$ ]] || ((runs < 20)); then
    echo "$0: RUNS must be a whole number of at least 20" >&2
    exit 2
fi
kestal="$build_dir/app/kestal"
bare="$build_dir/bench/bare_${3:+text_}window"
for binary in "$kestal" "$bare"; do
    if [[ ! -x "$binary" ]]; then
        echo "$0: $binary is missing; build it with" \
            "cmake --build --preset release --target kestal bare_window bare_text_window" >&2
        exit 2
    fi
done
if ! command -v hyperfine >/dev/null; then
    echo "$0: hyperfine is needed for the timings (scripts/setup installs it)" >&2
    exit 2
fi
if [[ ! -x /usr/bin/time ]]; then
    echo "$0: /usr/bin/time (GNU time) is needed for the peak RSS" >&2
    exit 2
fi
if [[ -z "${EPOCHREALTIME:-}" ]]; then
    echo "$0: bash 5 or later is needed (EPOCHREALTIME)" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Qt wants a private runtime directory and warns on stderr without one.
mkdir -m 700 "$work/runtime"

# The same environment for both programs: nothing inherited but HOME (where
# fontconfig may keep its cache).
bench_env=(
    "HOME=${HOME:-/root}"
    "PATH=/usr/local/bin:/usr/bin:/bin"
    "LANG=C.UTF-8"
    "XDG_RUNTIME_DIR=$work/runtime"
    "QT_QPA_PLATFORM=offscreen"
    "KESTAL_QUIT_WHEN_SHOWN=1"
)
run_env=(env -i "${bench_env[@]}")

# Exit status 0 and "shown: TITLE" on standard output.
check() {
    local binary=$1 status=0
    "${run_env[@]}" "$binary" >"$work/out" 2>"$work/err" || status=$?
    if ((status != 0)); then
        echo "$0: $binary exited with status $status" >&2
        cat "$work/err" >&2
        exit 1
    fi
    if ! grep -q '^shown: ' "$work/out"; then
        echo "$0: $binary did not print \"shown: \"; its output:" >&2
        cat "$work/out" "$work/err" >&2
        exit 1
    fi
    if [[ -s "$work/err" ]]; then
        echo "$0: note, $binary wrote to standard error:" >&2
        cat "$work/err" >&2
    fi
}
check "$kestal"
check "$bare"

# "median mean stddev min max" of the numbers on standard input.
summary() {
    sort -g | awk '
        { v[NR] = $1; sum += $1 }
        END {
            mean = sum / NR
            for (i = 1; i <= NR; i++) squares += (v[i] - mean) ^ 2
            median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            print median, mean, (NR > 1 ? sqrt(squares / (NR - 1)) : 0), v[1], v[NR]
        }'
}

# Start to shown: a subshell empties its environment down to bench_env, writes
# the clock, and becomes the program; the reader takes the clock again when the
# "shown: " line arrives. Seconds, one run per line.
to_shown() {
    local binary=$1
    (
        while IFS= read -r name; do
            unset "$name" 2>/dev/null || true
        done < <(compgen -e)
        export "${bench_env[@]}"
        echo "$EPOCHREALTIME"
        exec "$binary"
    ) 2>/dev/null | {
        read -r start || true
        read -r line || true
        shown=$EPOCHREALTIME
        cat >/dev/null
        if [[ "$line" != "shown: "* ]]; then
            echo "$0: $binary did not print \"shown: \" in a timed run" >&2
            exit 1
        fi
        awk -v a="${start/,/.}" -v b="${shown/,/.}" 'BEGIN { printf "%.6f\n", b - a }'
    }
}
for ((i = 0; i < 3; i++)); do
    to_shown "$kestal" >/dev/null
    to_shown "$bare" >/dev/null
done
for ((i = 0; i < runs; i++)); do
    to_shown "$kestal" >>"$work/shown.kestal"
    to_shown "$bare" >>"$work/shown.bare"
done
read -r shown_kestal_median shown_kestal_mean shown_kestal_sd shown_kestal_min shown_kestal_max \
    < <(summary <"$work/shown.kestal")
read -r shown_bare_median shown_bare_mean shown_bare_sd shown_bare_min shown_bare_max \
    < <(summary <"$work/shown.bare")

# Start to exit, with no shell between hyperfine and the programs
# (--shell=none) so that a shell's own start-up does not dilute the difference.
"${run_env[@]}" hyperfine --style none --shell=none --warmup 3 --runs "$runs" \
    --export-json "$work/times.json" \
    --command-name kestal "$kestal" \
    --command-name "bare window" "$bare" >/dev/null

# One statistic of the JSON export, one value per command in order, whatever
# the JSON's layout.
statistic() {
    awk -v key="$1" '
        { text = text $0 " " }
        END {
            pattern = "\"" key "\"[ \t]*:[ \t]*[-0-9.eE+]+"
            while (match(text, pattern)) {
                pair = substr(text, RSTART, RLENGTH)
                sub(/^[^:]*:[ \t]*/, "", pair)
                print pair
                text = substr(text, RSTART + RLENGTH)
            }
        }' "$work/times.json"
}
mapfile -t exit_median < <(statistic median)
mapfile -t exit_mean < <(statistic mean)
mapfile -t exit_sd < <(statistic stddev)
mapfile -t exit_min < <(statistic min)
mapfile -t exit_max < <(statistic max)
for n in ${#exit_median[@]} ${#exit_mean[@]} ${#exit_sd[@]} ${#exit_min[@]} ${#exit_max[@]}; do
    if ((n != 2)); then
        echo "$0: unexpected hyperfine export:" >&2
        cat "$work/times.json" >&2
        exit 1
    fi
done

# Peak resident set in KiB over 5 runs: "median max".
peak_rss() {
    local binary=$1 i
    for i in 1 2 3 4 5; do
        "${run_env[@]}" /usr/bin/time -f '%M' -o "$work/rss.$i" "$binary" >/dev/null
    done
    cat "$work"/rss.[1-5] | sort -n | awk '{ v[NR] = $1 } END { print v[3], v[5] }'
}
read -r rss_kestal rss_kestal_max < <(peak_rss "$kestal")
read -r rss_bare rss_bare_max < <(peak_rss "$bare")

ms() { awk -v s="$1" 'BEGIN { printf "%.1f", s * 1000 }'; }
# By how much A exceeds B, in percent.
over() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%+.1f%%", (a / b - 1) * 100 }'; }
verdict() { awk -v a="$1" -v b="$2" 'BEGIN { print (a <= 1.2 * b) ? "within 20%" : "OVER 20%" }'; }
row() { printf '%-26s %18s %18s %13s\n' "$@"; }

echo "kestal against ${3:+one line of text in }an empty window of its size, offscreen; $runs"
echo "timed runs each"
echo "after 3 warm-ups, peak RSS over 5 runs. Build: $build_dir"
echo
row "" "kestal" "bare window" "kestal/bare"
row "start to shown, median" "$(ms "$shown_kestal_median") ms" "$(ms "$shown_bare_median") ms" \
    "$(over "$shown_kestal_median" "$shown_bare_median")"
row "  mean +- sd" "$(ms "$shown_kestal_mean") +- $(ms "$shown_kestal_sd")" \
    "$(ms "$shown_bare_mean") +- $(ms "$shown_bare_sd")" \
    "$(over "$shown_kestal_mean" "$shown_bare_mean")"
row "  min - max" "$(ms "$shown_kestal_min") - $(ms "$shown_kestal_max")" \
    "$(ms "$shown_bare_min") - $(ms "$shown_bare_max")" ""
row "start to exit, median" "$(ms "${exit_median[0]}") ms" "$(ms "${exit_median[1]}") ms" \
    "$(over "${exit_median[0]}" "${exit_median[1]}")"
row "  mean +- sd" "$(ms "${exit_mean[0]}") +- $(ms "${exit_sd[0]}")" \
    "$(ms "${exit_mean[1]}") +- $(ms "${exit_sd[1]}")" \
    "$(over "${exit_mean[0]}" "${exit_mean[1]}")"
row "  min - max" "$(ms "${exit_min[0]}") - $(ms "${exit_max[0]}")" \
    "$(ms "${exit_min[1]}") - $(ms "${exit_max[1]}")" ""
row "peak RSS, median" "$rss_kestal KiB" "$rss_bare KiB" "$(over "$rss_kestal" "$rss_bare")"
row "  max" "$rss_kestal_max KiB" "$rss_bare_max KiB" ""
echo
echo "Target, kestal within 20% of the bare window:"
echo "  start to shown (median)  $(verdict "$shown_kestal_median" "$shown_bare_median")"
echo "  start to exit (median)   $(verdict "${exit_median[0]}" "${exit_median[1]}")"
echo "  peak RSS (median)        $(verdict "$rss_kestal" "$rss_bare")"
