#!/usr/bin/env bash
# The Windows Installer package as a company's IT deploys it, under Wine in a
# throw-away prefix: a silent per-machine installation (its files, its Start
# menu shortcut, its entry in Programs and Features), the installed programs
# run (kestal-convert.exe writing what the Linux kestal-convert writes), an
# upgrade to the next version with kestal-convert on the PATH, the older
# version refused, a silent removal that leaves nothing behind; then the same
# once for one user.
#   msi_test.sh KESTAL.msi NEXT.msi DRIVER.exe LINUX_KESTAL_CONVERT
set -uo pipefail
msi=$1
next=$2
driver=$3
linux=$4
here=$(dirname "$0")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { # check DESCRIPTION COMMAND...: a failure named, the test going on
    local what=$1
    shift
    "$@" || fail "$what"
}

property() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v name="$2" '$1 == name { print $2 }'; }
product=$(property "$msi" ProductCode)
next_product=$(property "$next" ProductCode)
version=$(property "$msi" ProductVersion)
next_version=$(property "$next" ProductVersion)
[[ -n "$product" && "$product" != "$next_product" && $(property "$msi" UpgradeCode) == $(property "$next" UpgradeCode) ]] ||
    { echo "FAIL: the two versions share no UpgradeCode or have one ProductCode"; exit 1; }
size=$(stat -c %s "$msi")
check "$msi is $size bytes, over 1.5 MB" test "$size" -le $((1536 * 1024))

source "$here/wine_session.sh"
trap wine_session_stop EXIT
wine_session_start
drive=$WINEPREFIX/drive_c
log=$WINE_SESSION/msiexec.log
msiexec() { # msiexec /i|/x PACKAGE [PROPERTY=VALUE...]: silent, logged, its status returned
    timeout 120 wine msiexec "$1" "$2" /qn /l*v "$(winepath -w "$log")" "${@:3}" >/dev/null 2>&1
}
windows_path() { winepath -w "$1" 2>/dev/null; }
# The values of product CODE's entry in Programs and Features, as UTF-8 lines:
# the user's own, else the machine's (Wine keeps a per-user one there too).
uninstall_entry() {
    local file=$WINE_SESSION/entry.reg root
    for root in HKCU HKLM; do
        rm -f "$file"
        if wine reg export "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" \
            "$(windows_path "$file")" /y >/dev/null 2>&1; then
            iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r'
            return
        fi
    done
}
kestal_entries() {
    for root in HKCU HKLM; do
        wine reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
    done | tr -d '\r' | grep -c 'DisplayName *REG_SZ *Kestal$'
}
environment_path() { # the PATH of the machine (HKLM) or of the user (HKCU)
    local key='HKCU\Environment'
    [[ $1 == HKLM ]] && key='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
    wine reg query "$key" /v Path 2>/dev/null | tr -d '\r' | sed -n 's/^ *Path *REG_[A-Z_]* *//p'
}
shortcuts() { find "$drive" -name 'Conversion de kestal.lnk'; }

# installed CODE VERSION FOLDER: what one installation must have put in place.
installed() {
    local code=$1 shown=$2 folder=$3
    local entry
    entry=$(uninstall_entry "$code")
    for value in '"DisplayName"="Kestal"' "\"DisplayVersion\"=\"$shown\"" \
        '"Publisher"="Équipe Kestal"'; do
        check "entry of $shown lacks $value" grep -qxF "$value" <<<"$entry"
    done
    local size
    size=$(sed -n 's/^"Size"="\([0-9]*\)"$/\1/p' <<<"$entry")
    check "entry of $shown gives no size ('$size')" test "${size:-0}" -gt 0
    check "no icon for Programs and Features" \
        grep -q 'icon resource' <<<"$(file "$(find "$drive" -path "*/Installer/$code/kestal.ico")")"
    check "$shown: one entry in Programs and Features" test "$(kestal_entries)" -eq 1
    check "$shown: kestal.exe and kestal-convert.exe in $folder" \
        test -f "$folder/kestal.exe" -a -f "$folder/kestal-convert.exe"
    local links
    links=$(shortcuts)
    check "$shown: one Start menu shortcut ($links)" test "$(grep -c . <<<"$links")" -eq 1
    check "$shown: the shortcut opens kestal.exe" grep -aqi 'kestal\\kestal.exe' "$links"
    check "$shown: the shortcut shows the program's icon" \
        grep -q "Installer\\\\$code\\\\kestal.ico" <(strings -el "$links")
}

# removed CODE FOLDER PATH_ROOT: nothing left of an installation.
removed() {
    local code=$1 folder=$2 root=$3
    check "entry left behind" test "$(kestal_entries)" -eq 0
    check "$folder left behind" test ! -e "$folder"
    check "shortcut left behind: $(shortcuts)" test -z "$(shortcuts)"
    check "installer cache of $code left behind" test -z "$(find "$drive" -path "*/Installer/$code")"
    # Wine leaves the separator it had put before the entry; Windows takes both.
    check "PATH of $root keeps Kestal: $(environment_path "$root")" \
        test "$(environment_path "$root")" == "${path_before[$root]}" -o \
        "$(environment_path "$root")" == "${path_before[$root]};"
}

# The registry keys under HKLM\Software and HKCU\Software that name Kestal.
registry_keys() {
    local root file=$WINE_SESSION/software.reg
    for root in HKLM HKCU; do
        wine reg export "$root\\Software" "$(windows_path "$file")" /y >/dev/null 2>&1
        iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | awk '/^\[/ { key = $0 } /[Kk]estal/ { print key }'
    done | sort -u
}

# same_output NAME INPUT ARGUMENTS...: kestal-convert.exe as installed and the
# Linux kestal-convert give the same bytes, line ends aside, and the same status;
# of the outputs, what the command in `compared` leaves of them (all by default).
compared=cat
same_output() {
    local name=$1 input=$2
    shift 2
    printf '%s' "$input" >"$WINE_SESSION/in"
    env -u LC_ALL -u LC_NUMERIC -u LANG "$linux" "$@" <"$WINE_SESSION/in" \
        >"$WINE_SESSION/linux.out" 2>"$WINE_SESSION/linux.err"
    local linux_status=$?
    wine "$converter" "$@" <"$WINE_SESSION/in" >"$WINE_SESSION/windows.out" 2>"$WINE_SESSION/windows.err"
    local windows_status=$?
    check "$name: status $windows_status on Windows, $linux_status on Linux" \
        test "$windows_status" -eq "$linux_status"
    for stream in out err; do
        check "$name: standard $stream differs" \
            cmp -s <(tr -d '\r' <"$WINE_SESSION/windows.$stream" | $compared) \
            <($compared <"$WINE_SESSION/linux.$stream")
    done
}

declare -A path_before=([HKLM]=$(environment_path HKLM) [HKCU]=$(environment_path HKCU))

# Per machine, as IT installs it.
check "silent installation of $version" msiexec /i "$(windows_path "$msi")"
folder="$drive/Program Files/Kestal"
installed "$product" "$version" "$folder"
check "kestal-convert is on no PATH by default" test "$(environment_path HKLM)" == "${path_before[HKLM]}"
check "the installed kestal.exe opens and converts" \
    timeout 120 wine "$driver" installed "$(windows_path "$folder/kestal.exe")"

converter=$(windows_path "$folder/kestal-convert.exe")
same_output "values" "" --from HV 200 645 abc 80
csv=$'\xc9prouvette;Duret\xe9 HV;Remarque\r\nA1;200;"tremp\xe9 ""\xe0 c\x9cur"""\r\nA2;"645";\r\nA3;abc;\r\nA4\r\n'
same_output "Windows-1252 file with CRLF" "$csv" --from HV --column 2 --delimiter ';' --header --detail
check "CRLF in, CRLF out" test "$(grep -c $'\r$' "$WINE_SESSION/windows.out")" -eq 5
same_output "UTF-8 file with its BOM" $'\xef\xbb\xbf\xc3\x89prouvette;HV\r\nA1;57,6\r\n' --from HRC --column 2 --delimiter ';' --header
same_output "LF in" $'200\n645\n' --from HV
check "LF in, LF out" test "$(grep -c $'\r' "$WINE_SESSION/windows.out")" -eq 0
same_output "the table" "" --table --delimiter ';'
same_output "the table with a decimal point" "" --table --locale C
same_output "help" "" --help
check "help in UTF-8 with its accents" grep -q 'Échelle des valeurs' "$WINE_SESSION/windows.out"
# In a terminal, which Wine gives the program as its console, the text goes as
# UTF-16: bytes would be shown in the console's code page ("duret├®s").
check "help with its accents on the console" \
    grep -q 'Échelle des valeurs' <(script -qec "wine '$converter' --help" /dev/null)
same_output "bad option" "" --frm 200
same_output "accented argument" "" --from Éprouvette 200
# The validation record, the same on both systems but for who ran it where and
# under which conventions, which name each system's locales.
record_checks() {
    sed -n '/^2\./,$p' | awk '/^Conventions :/ { skip = 1; next } skip && /^    / { next } { skip = 0; print }'
}
compared=record_checks same_output "validation record" "" --validate
check "a whole record" grep -q '^10\. Annexe' "$WINE_SESSION/windows.out"

# The next version over it, with kestal-convert on the PATH: it replaces it.
check "upgrade to $next_version" msiexec /i "$(windows_path "$next")" ADDLOCAL=ALL
installed "$next_product" "$next_version" "$folder"
check "$version replaced" test -z "$(uninstall_entry "$product")"
check "kestal-convert on the machine's PATH" \
    grep -qF "$(windows_path "$folder")" <<<"$(environment_path HKLM)"
# An older version is refused, with its reason, and changes nothing.
msiexec /i "$(windows_path "$msi")"
check "$version installed over $next_version" test $? -ne 0
# The reason shown is the package's (Wine logs none in a silent run).
check "no reason given for refusing $version" grep -q 'Une version plus récente de Kestal est déjà installée' \
    <(msiinfo export "$msi" LaunchCondition)
installed "$next_product" "$next_version" "$folder"
check "silent removal" msiexec /x "$(windows_path "$next")"
removed "$next_product" "$folder" HKLM

# Per user, with no administrator: under the user's local application data.
# Windows 7 and later take MSIINSTALLPERUSER=1 ALLUSERS=2 for this, and then
# run the package with ALLUSERS empty; Wine 8 knows only the latter (given
# last: it would take the next argument for its value).
check "per-user installation" msiexec /i "$(windows_path "$msi")" ADDLOCAL=ALL ALLUSERS=
folder=$(echo "$drive"/users/*/AppData/Local/Programs/Kestal)
installed "$product" "$version" "$folder"
check "kestal-convert on the user's PATH" grep -qF "$(windows_path "$folder")" <<<"$(environment_path HKCU)"
converter=$(windows_path "$folder/kestal-convert.exe")
same_output "per-user kestal-convert" "" --from HRC 57,6
# Windows knows the product was installed per user; Wine 8 is told again.
check "removal by product code" msiexec /x "$product" ALLUSERS=
removed "$product" "$folder" HKCU
# Once, at the end: reading the whole registry takes a while under Wine.
leftovers=$(registry_keys)
check "registry keys left behind: $leftovers" test -z "$leftovers"

((failures == 0)) && echo "msi_test: all checks pass"
exit $((failures > 0))
