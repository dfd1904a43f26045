#!/usr/bin/env bash
# The Windows Installer package as a company's IT deploys it. First its tables,
# read against the rules of Windows' package validation (ICE) that a table
# shows. Then under Wine, in a throw-away prefix: a silent per-machine
# installation (its files, its Start menu shortcut, its entry in Programs and
# Features), the installed programs run (kestal-convert.exe writing what the
# Linux kestal-convert writes), an upgrade to the next version, signed, the
# older version refused, removal by the entry in Programs and Features; again
# with kestal-convert on the PATH, on a PC whose code page is not Western
# European; then once for one user. No removal leaves anything behind.
#   msi_test.sh KESTAL.msi NEXT.msi DRIVER.exe LINUX_KESTAL_CONVERT CERTIFICATE.pem
set -uo pipefail
msi=$1
next=$2
driver=$3
linux=$4
certificate=$5
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

# The package's tables against the validation rules they show; no validator
# runs on Linux.
# TABLE: its rows, fields apart by a unit separator (a tab would merge empty ones in `read`).
rows() { msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4 | tr '\t' '\037'; }
declare -A parent=()
while IFS=$'\037' read -r directory up _; do parent[$directory]=$up; done < <(rows Directory)
within() { # within DIRECTORY FOLDER...: DIRECTORY is one of the FOLDERs or lies in one
    local directory=$1 folder
    shift
    while [[ -n $directory ]]; do
        for folder; do [[ $directory == "$folder" ]] && return 0; done
        directory=${parent[$directory]:-}
    done
    return 1
}
# The folders of a user's profile, and those of them that stay one user's own
# even in a per-machine installation.
own=(AppDataFolder FavoritesFolder NetHoodFolder PersonalFolder PrintHoodFolder RecentFolder
    SendToFolder MyPicturesFolder LocalAppDataFolder)
profile=("${own[@]}" ProgramMenuFolder StartMenuFolder StartupFolder DesktopFolder TemplateFolder
    AdminToolsFolder)

# ICE03: a long file name comes with a short one (short|long), and every
# column naming another table's row names one that is there.
short='[^][ ."/\:;|=,+*?<>]{1,8}(\.[^][ ."/\:;|=,+*?<>]{1,3})?'
while IFS=$'\037' read -r table name; do
    [[ $name =~ ^$short(\|[^|]+)?$ || $name == . ]] || fail "ICE03: $table name '$name' without a short one"
done < <(rows File | awk -F'\037' '{ print "File\037" $3 }'; rows Shortcut | awk -F'\037' '{ print "Shortcut\037" $3 }'
    rows Directory | awk -F'\037' '$2 != "" { n = split($3, name, ":"); for (i = 1; i <= n; i++) print "Directory\037" name[i] }')
tables=$(msiinfo tables "$msi")
for table in $tables; do
    [[ $table == _* ]] && continue
    IFS=$'\t' read -ra columns < <(msiinfo export "$msi" "$table" | tr -d '\r')
    for i in "${!columns[@]}"; do
        [[ ${columns[i]} =~ ^([A-Za-z]+)_(Parent)?$ ]] && grep -qx "${BASH_REMATCH[1]}" <<<"$tables" || continue
        target=${BASH_REMATCH[1]}
        while IFS= read -r value; do
            [[ -z $value ]] || rows "$target" | cut -d$'\037' -f1 | grep -qxF -- "$value" ||
                fail "ICE03: $table.${columns[i]} names no $target '$value'"
        done < <(rows "$table" | cut -d$'\037' -f$((i + 1)))
    done
done

# ICE38, ICE43, ICE57, ICE90, ICE91: a component that puts something in a
# user's profile, or a shortcut that is not advertised, is the user's and is
# known by a value under HKCU; no component holds both a user's things and the
# machine's; nothing goes to a folder that stays one user's own; a shortcut's
# folder there is not a public property.
declare -A home=() keypath=() hive=() users=() machines=() shortcut=()
while IFS=$'\037' read -r component _ directory _ _ key; do
    home[$component]=$directory keypath[$component]=$key
done < <(rows Component)
while IFS=$'\037' read -r registry root _ _ _ component; do
    hive[$registry]=$root
    [[ $root == 1 ]] && users[$component]+=" $registry"
    [[ $root == 2 ]] && machines[$component]+=" $registry"
done < <(rows Registry)
placed() { # placed COMPONENT ITEM DIRECTORY: the component puts ITEM in DIRECTORY
    if within "$3" "${profile[@]}"; then users[$1]+=" $2"; else machines[$1]+=" $2"; fi
    within "$3" "${own[@]}" && fail "ICE91: $2 goes to one user's own $3"
}
while IFS=$'\037' read -r file component _; do
    placed "$component" "$file" "${home[$component]:-}"
done < <(rows File)
while IFS=$'\037' read -r name directory _ component target _; do
    placed "$component" "$name" "$directory"
    [[ $target == \[* ]] && shortcut[$component]=1
    within "$directory" "${profile[@]}" && [[ $directory == "${directory^^}" ]] &&
        fail "ICE90: shortcut $name in public property $directory"
done < <(rows Shortcut)
for component in "${!home[@]}"; do
    if [[ -n ${shortcut[$component]:-} ]] || within "${home[$component]}" "${profile[@]}"; then
        key=${keypath[$component]}
        [[ -n $key && ${hive[$key]:-} == 1 ]] || fail "ICE38/ICE43: $component is the user's, known by '$key'"
    fi
    [[ -z ${users[$component]:-} || -z ${machines[$component]:-} ]] ||
        fail "ICE57: $component holds the user's${users[$component]} and the machine's${machines[$component]}"
done
# ICE64: a folder made in a user's profile is removed with the package.
for directory in "${!parent[@]}"; do
    within "${parent[$directory]}" "${profile[@]}" || continue
    rows RemoveFile | awk -F'\037' -v d="$directory" '$3 == "" && $4 == d && $5 >= 2 { found = 1 } END { exit !found }' ||
        fail "ICE64: $directory in the user's profile is never removed"
done

# The summary information in the code page it declares, and the package's language.
check "the summary information is not in Windows-1252" \
    grep -qx 'Author: Équipe Kestal' <(msiinfo suminfo "$msi" | iconv -f CP1252 -t UTF-8)
check "the package is not French and for x64" grep -qx 'Template: x64;1036' <(msiinfo suminfo "$msi" | tr -d '\r')

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
uninstall_command() { # the command by which Programs and Features removes product CODE
    for root in HKCU HKLM; do
        wine reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" /v UninstallString 2>/dev/null
    done | tr -d '\r' | sed -n 's/^ *UninstallString *REG_[A-Z_]* *//p' | head -n1
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
    local code=$1 shown=$2 folder=$3 entry location links
    entry=$(uninstall_entry "$code")
    location=$(windows_path "$folder" | sed 's/\\/\\\\/g')
    # Its name, version and publisher, where it went, and removal, not a change, offered.
    for value in '"DisplayName"="Kestal"' "\"DisplayVersion\"=\"$shown\"" '"Publisher"="Équipe Kestal"' \
        "\"InstallLocation\"=\"$location\\\\\"" '"NoModify"=dword:00000001'; do
        check "entry of $shown lacks $value" grep -qixF "$value" <<<"$entry"
    done
    check "entry of $shown gives no size" grep -qE '^"Size"="[1-9][0-9]*"$' <<<"$entry"
    check "no icon for Programs and Features" \
        grep -q 'icon resource' <<<"$(file "$(find "$drive" -path "*/Installer/$code/kestal.ico")")"
    check "$shown: one entry in Programs and Features" test "$(kestal_entries)" -eq 1
    check "$shown: kestal.exe and kestal-convert.exe in $folder" \
        test -f "$folder/kestal.exe" -a -f "$folder/kestal-convert.exe"
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
same_output "LF in" $'200\n645\n' --from HV
check "LF in, LF out" test "$(grep -c $'\r' "$WINE_SESSION/windows.out")" -eq 0
same_output "the table with a decimal point" "" --table --locale C
same_output "help" "" --help
# As Windows programs do, /? shows the help too.
check "/? shows no help" cmp -s <(wine "$converter" '/?' 2>/dev/null | tr -d '\r') "$WINE_SESSION/linux.out"
# In a terminal, which Wine gives the program as its console, the text goes as
# UTF-16: bytes would be shown in the console's code page ("duret├®s").
check "help with its accents on the console" \
    grep -q 'Échelle des valeurs' <(script -qec "wine '$converter' --help" /dev/null)
same_output "accented argument" "" --from Éprouvette 200
# The validation record, the same on both systems but for who ran it where and
# under which conventions, which name each system's locales.
record_checks() {
    sed -n '/^2\./,$p' | awk '/^Conventions :/ { skip = 1; next } skip && /^    / { next } { skip = 0; print }'
}
compared=record_checks same_output "validation record" "" --validate
check "a whole record" grep -q '^10\. Annexe' "$WINE_SESSION/windows.out"

# The next version over it, signed as a company signs its build: it replaces
# it, with its programs signed before they went into the package.
check "upgrade to $next_version" msiexec /i "$(windows_path "$next")"
installed "$next_product" "$next_version" "$folder"
check "$version replaced" test -z "$(uninstall_entry "$product")"
signed() { osslsigncode verify -CAfile "$certificate" -in "$1" >/dev/null 2>&1; }
for file in "$next" "$folder/kestal.exe" "$folder/kestal-convert.exe"; do
    check "$file: no signature by the test's certificate" signed "$file"
done
# An older version is refused, with its reason, and changes nothing.
msiexec /i "$(windows_path "$msi")"
check "$version installed over $next_version" test $? -ne 0
# The reason shown is the package's (Wine logs none in a silent run).
check "no reason given for refusing $version" grep -q 'Une version plus récente de Kestal est déjà installée' \
    <(msiinfo export "$msi" LaunchCondition)
installed "$next_product" "$next_version" "$folder"
# Removed as Programs and Features removes it: its command, run silently.
uninstall=$(uninstall_command "$next_product")
check "Programs and Features would not remove but open: $uninstall" grep -qi '^msiexec\.exe /x{' <<<"$uninstall"
check "removal from Programs and Features" timeout 120 wine $uninstall /qn
removed "$next_product" "$folder" HKLM

# With kestal-convert on the machine's PATH, on a PC whose Windows code page is
# Cyrillic, where a package without its own code page would show "Йquipe Kestal".
localedef -i ru_RU -f UTF-8 "$LOCPATH/ru_RU.UTF-8"
LC_ALL=ru_RU.UTF-8 check "installation with kestal-convert on the PATH" \
    msiexec /i "$(windows_path "$msi")" ADDLOCAL=ALL
installed "$product" "$version" "$folder"
check "kestal-convert on the machine's PATH" \
    grep -qF "$(windows_path "$folder")" <<<"$(environment_path HKLM)"
check "silent removal" msiexec /x "$(windows_path "$msi")"
removed "$product" "$folder" HKLM

# Per user, with no administrator: under the user's local application data.
# Windows 7 and later take MSIINSTALLPERUSER=1 ALLUSERS=2 for this, and then
# run the package with ALLUSERS empty; Wine 8 knows only the latter (given
# last: it would take the next argument for its value).
check "per-user installation" msiexec /i "$(windows_path "$msi")" ADDLOCAL=ALL ALLUSERS=
folder=$(echo "$drive"/users/*/AppData/Local/Programs/Kestal)
installed "$product" "$version" "$folder"
check "kestal-convert on the user's PATH" grep -qF "$(windows_path "$folder")" <<<"$(environment_path HKCU)"
# Windows knows the product was installed per user; Wine 8 is told again.
check "removal by product code" msiexec /x "$product" ALLUSERS=
removed "$product" "$folder" HKCU
# Once, at the end: reading the whole registry takes a while under Wine.
leftovers=$(registry_keys)
check "registry keys left behind: $leftovers" test -z "$leftovers"

((failures == 0)) && echo "msi_test: all checks pass"
exit $((failures > 0))
