#!/usr/bin/env bash
# Draws the README's pictures into a scratch folder and checks each against the
# committed one: the same size (a layout change that forgets scripts/screenshots
# shows here) and not blank (a picture of an empty window compresses to a few
# hundred bytes). Nothing is written into the repository.
#   screenshots_test.sh PATH/TO/kestal-screenshots REPO_ROOT
set -euo pipefail
program=$1
committed=$2/doc/screenshots
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "screenshots_test: $*" >&2; exit 1; }

mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen "$program" "$work/out" ||
    fail "$program failed"
size() { file -b "$1" | grep -o '[0-9]* x [0-9]*'; }
for name in form1.png form2.png tooltip.png table.png; do
    [[ -f "$work/out/$name" && -f "$committed/$name" ]] || fail "$name not drawn or not committed"
    [[ "$(size "$work/out/$name")" == "$(size "$committed/$name")" ]] ||
        fail "$name is $(size "$work/out/$name"), committed $(size "$committed/$name"): run scripts/screenshots"
    (($(stat -c %s "$work/out/$name") > 8000)) || fail "$name is blank or nearly"
done
echo "screenshots_test: ok"
