#!/usr/bin/env bash
# Times kestal-convert --validate, the whole process, the record as text and
# as a page, and gives their sizes; with the browser build, the size of its
# module, which carries the same checks. Each record is checked first
# (CONFORME, status 0) so that a broken binary cannot pass for a fast one.
# Targets: at most 100 ms a record, at most 200 KB (1 KB = 1000 bytes) the
# module. On a machine shared with other work, run it a few times and quote
# the medians with the load (uptime) they were measured under.
#
#   bench/validate_bench.sh PATH/TO/kestal-convert [BUILD/web]
set -euo pipefail

if [[ $# -lt 1 || $# -gt 2 || ! -x "$1" ]]; then
    echo "usage: $0 PATH/TO/kestal-convert [BUILD/web]" >&2
    exit 2
fi
binary=$(realpath "$1")
unset LC_ALL LC_NUMERIC LANG
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "load: $(uptime | sed 's/.*load average: //')"
for form in text html; do
    option=()
    [[ $form == html ]] && option=(--html)
    "$binary" --validate "${option[@]}" >"$work/record.$form" ||
        { echo "$0: the record as $form is not CONFORME" >&2; exit 1; }
    command="'$binary' --validate ${option[*]} >/dev/null"
    hyperfine --style none --warmup 3 --runs 30 --export-json "$work/$form.json" "$command" &>/dev/null
    /usr/bin/python3 -c '
import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
median = r["median"] * 1e3
print("%-5s %.1f ms (min %.1f, max %.1f), median of 30, %s bytes   at most 100 ms   %s" % (
    sys.argv[2], median, r["min"] * 1e3, r["max"] * 1e3, sys.argv[3],
    "ok" if median <= 100 else "OVER"))' "$work/$form.json" "$form" "$(stat -c %s "$work/record.$form")"
done

if [[ $# -eq 2 ]]; then
    module=$2/site/kestal.wasm
    [[ -f "$module" ]] || { echo "$0: no $module: build the web preset first" >&2; exit 1; }
    size=$(stat -c %s "$module")
    printf 'module %s: %d bytes, %.1f KB   at most 200 KB   %s\n' "$module" "$size" \
        "$(awk -v size="$size" 'BEGIN { print size / 1000 }')" \
        "$( ((size <= 200000)) && echo ok || echo OVER)"
fi
