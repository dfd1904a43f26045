#!/usr/bin/env bash
# Builds the .deb of a built tree, checks its control data, installs it with
# dpkg into a staging root and checks what a desktop looks for there (each file
# accepted by the freedesktop validators); then starts the installed programs.
#   package_test.sh BUILD_DIR VERSION
set -euo pipefail

build=$(realpath "$1")
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(find "$work/out" -maxdepth 1 -name 'kestal_*.deb' -print -quit)
[[ -n "$deb" ]] || fail "no .deb produced"
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == kestal && $(field Version) == "$version" ]] ||
    fail "package is '$(field Package)' '$(field Version)'"
for library in libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation2 qt6-translations-l10n; do
    [[ "$(field Depends)" == *"$library"* ]] || fail "Depends lacks $library: $(field Depends)"
done
apt-get install --simulate --no-install-recommends "$deb" >/dev/null 2>"$work/apt.err" ||
    fail "apt cannot satisfy the dependencies: $(cat "$work/apt.err")"

# A real dpkg installation, into a root of its own so that the machine is left as it was.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >"$work/dpkg.log" 2>&1 ||
    fail "dpkg refused the package: $(cat "$work/dpkg.log")"

id=org.kestal.Kestal
desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop entry refused"
appstreamcli validate --no-net "$metainfo" || fail "metainfo refused"
grep -qx "Icon=$id" "$desktop" && grep -qx 'Exec=kestal' "$desktop" ||
    fail "desktop entry names another program or icon"
grep -q "<release version=\"$version\"" "$metainfo" &&
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo lacks release $version or its desktop entry"
[[ "$(file -b "$root/usr/share/icons/hicolor/32x32/apps/$id.png")" == "PNG image data, 32 x 32,"* ]] ||
    fail "icon is not a 32x32 PNG in the theme's 32x32 folder"

# The installed programs run, the window under the desktop entry's name, and
# it says plainly when there is no display.
shown=$(QT_QPA_PLATFORM=offscreen KESTAL_QUIT_WHEN_SHOWN=1 "$root/usr/bin/kestal" 2>/dev/null)
[[ "$shown" == "shown: $(sed -n 's/^Name=//p' "$desktop")" ]] || fail "installed program did not show its window: '$shown'"
if message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/kestal" 2>&1); then
    fail "started without a display"
fi
[[ "$message" == *"« xvfb-run -a kestal »"* && $(wc -l <<<"$message") -eq 1 ]] ||
    fail "no clear message without a display: '$message'"
# French where the environment names no locale.
converted=$(env -u LC_ALL -u LC_NUMERIC -u LANG "$root/usr/bin/kestal-convert" --from HV 200 | tail -n 1)
[[ "$converted" == $'200\t190,0\t\t91,8\t\t\t650,0' ]] || fail "installed kestal-convert gave '$converted'"
echo "package_test: ok"
