#!/usr/bin/env bash
# Times kestal-convert --validate, the record as text and as a page, and gives
# their sizes. Each is checked first (CONFORME, status 0) so that a broken
# binary cannot pass for a fast one.
#
#   bench/validate_bench.sh PATH/TO/kestal-convert
set -euo pipefail

if [[ $# -ne 1 || ! -x "$1" ]]; then
    echo "usage: $0 PATH/TO/kestal-convert" >&2
    exit 2
fi
binary=$(realpath "$1")
unset LC_ALL LC_NUMERIC LANG
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for form in text html; do
    option=()
    [[ $form == html ]] && option=(--html)
    "$binary" --validate "${option[@]}" >"$work/record.$form" ||
        { echo "$0: the record as $form is not CONFORME" >&2; exit 1; }
    command="'$binary' --validate ${option[*]} >/dev/null"
    hyperfine --style none --warmup 3 --runs 30 --export-json "$work/$form.json" "$command" &>/dev/null
    median=$(/usr/bin/python3 -c '
import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
print("%.1f ms (min %.1f, max %.1f)" % (r["median"] * 1e3, r["min"] * 1e3, r["max"] * 1e3))' "$work/$form.json")
    printf '%-5s %s, median of 30, %d bytes\n' "$form" "$median" "$(stat -c %s "$work/record.$form")"
done
