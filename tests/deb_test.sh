#!/usr/bin/env bash
# Builds the .deb of a built tree, checks its control data, installs it with
# dpkg into a staging root and starts the installed program.
#   deb_test.sh BUILD_DIR VERSION
set -euo pipefail

build=$(realpath "$1")
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "deb_test: $*" >&2; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(find "$work/out" -maxdepth 1 -name 'kestal_*.deb' -print -quit)
[[ -n "$deb" ]] || fail "no .deb produced"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == kestal ]] || fail "package name is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "version is '$(field Version)'"
depends=$(field Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation2; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

# Every dependency is one Debian provides.
apt-get install --simulate --no-install-recommends "$deb" >/dev/null 2>"$work/apt.err" ||
    fail "apt cannot satisfy the dependencies: $(cat "$work/apt.err")"

# A real dpkg installation, into a root of its own so that the machine is left as it was.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >"$work/dpkg.log" 2>&1 ||
    fail "dpkg refused the package: $(cat "$work/dpkg.log")"
dpkg --root="$root" -s kestal | grep -qx 'Status: install ok installed' || fail "dpkg did not install it"

shown=$(QT_QPA_PLATFORM=offscreen KESTAL_QUIT_WHEN_SHOWN=1 "$root/usr/bin/kestal" 2>/dev/null)
[[ "$shown" == "shown: Conversion de kestal" ]] || fail "installed program did not show its window: '$shown'"
converted=$("$root/usr/bin/kestal-convert" --from HV --locale fr_FR 200 | tail -n 1)
[[ "$converted" == $'200\t190,0\t\t91,8\t\t\t650,0' ]] || fail "installed kestal-convert gave '$converted'"
echo "deb_test: ok"
