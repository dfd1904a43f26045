#!/usr/bin/env bash
# Without a display the built program names a command that starts it from
# where the user is: from the repository its path there, from elsewhere its
# absolute path (installed, it names `kestal`: package_test.sh).
#   no_display_test.sh PATH/TO/kestal REPO_ROOT
set -euo pipefail
program=$(realpath "$1")
said() { (cd "$1" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1) || true; }
elsewhere=$(mktemp -d)
trap 'rm -rf "$elsewhere"' EXIT
for folder in "$2" "$elsewhere"; do
    command=$(realpath --relative-to="$folder" "$program")
    [[ $folder == "$elsewhere" ]] && command=$program
    message=$(said "$folder")
    [[ "$message" == *"« xvfb-run -a $command »"* ]] ||
        { echo "no_display_test: from $folder: '$message'" >&2; exit 1; }
done
echo "no_display_test: ok"
