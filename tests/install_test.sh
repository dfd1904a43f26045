#!/usr/bin/env bash
# Installs a built tree into a staging folder and checks that a desktop finds
# everything where it looks: the program, its menu entry, icon and catalogue
# entry, each accepted by the freedesktop validators.
#   install_test.sh BUILD_DIR VERSION
set -euo pipefail

build=$1
version=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null

id=org.kestal.Kestal
desktop=$stage/usr/share/applications/$id.desktop
metainfo=$stage/usr/share/metainfo/$id.metainfo.xml
icon=$stage/usr/share/icons/hicolor/32x32/apps/$id.png
for file in "$stage/usr/bin/kestal" "$stage/usr/bin/kestal-convert"; do
    [[ -x "$file" ]] || fail "missing program ${file#"$stage"}"
done
for file in "$desktop" "$metainfo" "$icon"; do
    [[ -f "$file" ]] || fail "missing ${file#"$stage"}"
done

desktop-file-validate "$desktop" || fail "desktop entry refused"
appstreamcli validate --no-net "$metainfo" || fail "metainfo refused"

grep -qx 'Name=Conversion de kestal' "$desktop" || fail "menu name is not 'Conversion de kestal'"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry names another icon"
grep -qx 'Exec=kestal' "$desktop" || fail "desktop entry starts another program"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo lacks release $version"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch the desktop entry"

# The icon theme's 32x32 folder takes a 32x32 PNG.
[[ "$(file -b "$icon")" == "PNG image data, 32 x 32,"* ]] || fail "icon is not a 32x32 PNG"

# The installed program shows its window, and says plainly when it cannot.
shown=$(QT_QPA_PLATFORM=offscreen KESTAL_QUIT_WHEN_SHOWN=1 "$stage/usr/bin/kestal" 2>/dev/null)
[[ "$shown" == "shown: Conversion de kestal" ]] || fail "installed program did not show its window: '$shown'"
if message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$stage/usr/bin/kestal" 2>&1); then
    fail "started without a display"
fi
[[ "$message" == *"aucun écran trouvé"*"xvfb-run"* && $(wc -l <<<"$message") -eq 1 ]] ||
    fail "no clear message without a display: '$message'"
echo "install_test: ok"
