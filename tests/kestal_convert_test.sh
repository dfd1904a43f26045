#!/usr/bin/env bash
# Runs the built kestal-convert as a lab would, through its arguments, standard
# input and environment, and checks what comes out.
#   kestal_convert_test.sh KESTAL_CONVERT VERSION PUBLISHED_TABLE
set -uo pipefail
convert=$1
version=$2
published=$3
failures=0
header=$'HV\tHB\tHRA\tHRB\tHRC\tHRD\tRm'
message="La valeur rentrée n'est pas considérée comme un nombre"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The C library's French and English locales, built here rather than assumed of
# the machine (a fresh Debian has none but C).
export LOCPATH=$scratch/locales
mkdir "$LOCPATH"
for locale in fr_FR en_US; do
    localedef -i $locale -f UTF-8 "$LOCPATH/$locale.UTF-8" || exit 1
done

# Toolkit-free: nothing of Qt, so that one source builds for Windows too.
if ldd "$convert" | grep -i 'libQt'; then
    echo "FAIL: kestal-convert links Qt"
    exit 1
fi

# input TEXT: standard input of the next runs, byte for byte.
input() { printf '%s' "$1" >"$scratch/in"; }
# expect NAME STATUS STDOUT STDERR -- ARGUMENTS...: one run, with LC_ALL,
# LC_NUMERIC and LANG unset but for what `environment` sets.
expect() {
    local name=$1 status=$2 out=$3 err=$4
    shift 5
    env -u LC_ALL -u LC_NUMERIC -u LANG "${environment[@]}" "$convert" "$@" \
        <"$scratch/in" >"$scratch/out" 2>"$scratch/err"
    local got=$?
    if [[ $got != "$status" || "$(cat "$scratch/out")" != "$out" ||
          "$(cat "$scratch/err")" != "$err" ]]; then
        fail "$name (status $got)"
        diff <(printf '%s\n' "$out" "$err") <(cat "$scratch/out" "$scratch/err") | head -10
    fi
}
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
bad() { echo "kestal-convert: ligne $1 : $message"; }

environment=()
input ""
fr=(--locale fr_FR)
# One value: the figures of the windows, every scale name spelt as a lab would.
for hb in HB HBW hbs; do
    expect "$hb 586" 0 "$header"$'\n640,0\t586\t79,8\t\t57,3\t68,7\t2180,0' "" -- \
        "${fr[@]}" --from $hb 586
done
expect "negative after --" 0 "$header"$'\n-5\t\t\t\t\t\t' "" -- "${fr[@]}" --from HV -- -5

# Several values, from standard input or the arguments: one row each, in order,
# bad lines named on standard error; CRLF and a last line without its end.
rows=$'200\t190,0\t\t91,8\t\t\t650,0\n\t\t\t\t\t\t\nabc\t\t\t\t\t\t\n \t\t\t\t\t\t\n80\t76,0\t\t\t\t\t280,0'
errors="$(bad 3)"$'\n'"$(bad 4)"
input $'200\r\n\nabc\n \n80'
expect "standard input" 1 "$header"$'\n'"$rows" "$errors" -- "${fr[@]}" --from HV
input ""
expect "arguments" 1 "$header"$'\n'"$rows" "$errors" -- "${fr[@]}" --from HV 200 "" abc " " 80
expect "no input" 0 "$header" "" -- --from HV

# Hostile lines stay on their own row of seven fields; the next line converts.
long=$(printf '1234567890abcdefghij%.0s' {1..50000})
for line in "$long" $'20\xff\xfe' $'2\t00' $'2\x01\x7f0\r0'; do
    shown=${line//[$'\t\x01\x7f\r']/?}
    input "$line"$'\n80\n'
    expect "hostile ${line:0:8}" 1 "$header"$'\n'"$shown"$'\t\t\t\t\t\t\n80\t76,0\t\t\t\t\t280,0' \
        "$(bad 1)" -- "${fr[@]}" --from HV
done
printf '2\0000\n80\n' >"$scratch/in"
expect "NUL byte" 1 "$header"$'\n2?0\t\t\t\t\t\t\n80\t76,0\t\t\t\t\t280,0' "$(bad 1)" -- \
    "${fr[@]}" --from HV

# Spreadsheet files: each line kept, field N converted; a short line padded to
# the header's width so that every figure sits under its heading, a longer one
# or one whose quote is left open kept with its fields empty, named by line.
csv=(--from HV --column 2 --delimiter ';' --header)
input $'Éprouvette;"HV; 10";Note\r\nA1;200;"trempé ""à cœur"""\r\nA2;"645";\r\nA3;abc;x\r\nA4\r\nA5;;vide\r\n"A"";6";80;fin\r\nA6;200\r\nA7;645;trempé; revenu\r\nA8;80;"note'
expect "semicolon file" 1 $'Éprouvette;"HV; 10";Note;HB;HRA;HRB;HRC;HRD;Rm\nA1;200;"trempé ""à cœur""";190,0;;91,8;;;650,0\nA2;"645";;;79,9;;57,6;68,9;2200,0\nA3;abc;x;;;;;;\nA4;;;;;;;;\nA5;;vide;;;;;;\n"A"";6";80;fin;76,0;;;;;280,0\nA6;200;;190,0;;91,8;;;650,0\nA7;645;trempé; revenu;;;;;;\nA8;80;"note;;;;;;' \
    "$(bad 4)"$'\nkestal-convert: ligne 9 : 4 champs, l\'en-tête n\'en a que 3\nkestal-convert: ligne 10 : guillemet non fermé' \
    -- "${fr[@]}" "${csv[@]}"
# Without a header the first line is the reference.
input $'A;200\nB;645;x\nC\n'
expect "first line's width" 1 $'A;200;190,0;;91,8;;;650,0\nB;645;x;;;;;;\nC;;;;;;;' \
    "kestal-convert: ligne 2 : 3 champs, la première ligne n'en a que 2" -- \
    "${fr[@]}" --from HV --column 2 --delimiter ';'
# Bracket rows from the single the value reads as: "640.00000001" is 640, the top of rows 78-79.
# A doubled quote inside a quoted value is a quote, and no number.
input $'HV,n\n"645",a\n650\n"79.9"\n"640.00000001"\n940\nx\n"80""0"\n'
expect "detail" 1 $'HV,n,HB,HRA,HRB,HRC,HRD,Rm,ligne basse,ligne haute\n"645",a,,79.9,,57.6,68.9,2200.0,79,80\n650,,,80.0,,57.8,69.0,2220.0,79,80\n"79.9",,,,,,,,,\n"640.00000001",,586.0,79.8,,57.3,68.7,2180.0,78,79\n940,,,85.6,,68.0,76.9,,96,97\nx,,,,,,,,,\n"80""0",,,,,,,,,' \
    "$(bad 7)"$'\n'"$(bad 8)" -- --locale C --from HV --column 1 --delimiter , --header --detail
for line in "$long" $'20\xff'; do
    input "$line"$'\n80\n'
    expect "hostile field ${line:0:8}" 1 "$line;;;;;;"$'\n80;76,0;;;;;280,0' "$(bad 1)" -- \
        "${fr[@]}" --from HV --column 1 --delimiter ';'
done
# A byte-order mark, as Excel starts a UTF-8 file with, is no part of the first
# value; a copied line keeps it.
bom=$'\xef\xbb\xbf'
input "$bom"$'200\n'
expect "BOM, one value a line" 0 "$header"$'\n200\t190,0\t\t91,8\t\t\t650,0' "" -- "${fr[@]}" --from HV
input "$bom"$'"645";x\n'
expect "BOM, a file" 0 "$bom"$'"645";x;;79,9;;57,6;68,9;2200,0' "" -- \
    "${fr[@]}" --from HV --column 1 --delimiter ';'
printf '2\0000\n80\n' >"$scratch/in"
"$convert" "${fr[@]}" --from HV --column 1 <"$scratch/in" >"$scratch/out" 2>/dev/null
cmp -s "$scratch/out" <(printf '2\0000\t\t\t\t\t\t\n80\t76,0\t\t\t\t\t280,0\n') || fail "NUL byte in a field"
input ""

# The whole table, as the table window shows it: a header of eight captions,
# then the published figures in the locale's numbers, an empty field where a
# row has none.
published_lines() {  # POINT DELIMITER
    grep -v '^#' "$published" | awk -v point="$1" -v d="$2" '{
        line = $1
        for (k = 2; k <= 8; k++) {
            f = $k == "0" ? "" : $k
            gsub(/\./, point, f)
            line = line d f
        }
        print line }'
}
for case in $'fr_FR|,|\t' "en_US|.|;" "C|.|,"; do
    IFS='|' read -r locale point delimiter <<<"$case"
    "$convert" --table --locale "$locale" --delimiter "$delimiter" >"$scratch/out"
    [[ $(head -n 1 "$scratch/out" | tr "$delimiter" '\n' | wc -l) == 8 ]] &&
        cmp -s <(tail -n +2 "$scratch/out") <(published_lines "$point" "$delimiter") ||
        fail "table under $locale with '$delimiter'"
done

# Usage errors: status 2, nothing on standard output, the usage text after the
# reason, which ends with what a case gives after '#': the whole reason for an
# unknown or repeated option, else what it refuses.
d="--from|HV|--column|1|--delimiter"
twice="option donnée deux fois :"
for case in "200" "--from|XYZ|200" "--from" "--from|HV|--frm|200" \
    "-xh#option inconnue ou mal employée : -x" "--from|HV|--from|HRC|57,6#$twice --from" \
    "--locale|C|--fr|HV|--locale|C|1#$twice --locale" \
    "--column|1|$d|;|--column|1|--from|HV#$twice --column" "$d|;|--delimiter|;#$twice --delimiter" \
    "--from|HV|--locale|xx_nonsense|200" "--from|HV|--locale=|200" "--from|HV|--column|0" \
    "--from|HV|--column|1x" "--from|HV|--column|1|200" "--from|HV|--header" \
    "--from|HV|--column|1|--delimiter|;;" "--from|HV|--column|1|--delimiter|\"" \
    "--from|HV|--column|1|--delimiter"$'|\n' "--table|200" "--table|--from|HV" \
    "--table|--column|1" "--validate|--from|HV" "--validate|--column|1" "--validate|200" \
    "--html" "$d|0#0" "$d|a#a" "$d| # " "$d|-#-" "$d|+#+" "--locale|fr_FR|$d|,#," \
    "--locale|C|$d|.#." "--table|--delimiter|0#0"; do
    arguments=${case%%#*}
    named=${case#"$arguments"}
    # shellcheck disable=SC2086
    (IFS='|' && exec "$convert" $arguments) </dev/null >"$scratch/out" 2>"$scratch/err"
    status=$?
    reason=$(head -n 1 "$scratch/err")
    [[ $status == 2 && ! -s "$scratch/out" && $reason == "kestal-convert: "* &&
        (-z $named || $reason == *": ${named:1}") ]] && grep -q -- '--from <' "$scratch/err" ||
        fail "usage error '$arguments' (status $status)"
done
# The table's fingerprint, as --version shows it: the SHA-256 of the table as
# --table --locale C writes it, and so of the published figures written so
# under its line of captions.
captions=$("$convert" --table --locale C | head -n 1)
fingerprint=$(sha256sum <(echo "$captions"; published_lines . $'\t') | cut -d' ' -f1)
expect "version" 0 "kestal-convert $version"$'\n'"Empreinte de la table (SHA-256) : $fingerprint" \
    "" -- --version
[[ $("$convert" --table --locale C | sha256sum | cut -d' ' -f1) == "$fingerprint" ]] ||
    fail "the fingerprint is not that of --table --locale C"

# French, the program's own, needs no locale installed.
mkdir "$scratch/none"
environment=(LOCPATH="$scratch/none")
for locale in fr_FR fr fr_FR.UTF-8; do
    expect "$locale, none installed" 0 "$header"$'\n200,0\t190,0\t\t91,8\t\t\t650,0' "" -- \
        --locale $locale --from HV 200,0
done

# The default locale: LC_ALL, then LC_NUMERIC, then LANG, French by default and
# for C; --locale over them all.
for case in "|,|" "LANG=C|,|" "LC_ALL=en_US.UTF-8|.|" "LC_NUMERIC=en_US.UTF-8|.|" \
    "LC_ALL=en_US.UTF-8|,|fr_FR"; do
    IFS='|' read -r variable point locale <<<"$case"
    environment=(${variable:+"$variable"})
    expect "$case" 0 "$header"$'\n'"200${point}0"$'\t'"190${point}0"$'\t\t'"91${point}8"$'\t\t\t'"650${point}0" \
        "" -- ${locale:+--locale "$locale"} --from HV "200${point}0"
done

# The validation record: CONFORME and status 0 over the built-in table, as text
# and as a page, and under a named locale, with the table's fingerprint in its
# identification; a record that cannot be written has a status of its own.
for form in "" --html "--locale en_US"; do
    # shellcheck disable=SC2086
    env -u LC_ALL -u LC_NUMERIC -u LANG "$convert" --validate $form >"$scratch/out"
    status=$?
    [[ $status == 0 ]] && grep -q 'CONFORME' "$scratch/out" && ! grep -q 'NON CONFORME' "$scratch/out" &&
        grep -q "$fingerprint" "$scratch/out" || fail "validation record $form (status $status)"
done
"$convert" --validate >/dev/full 2>/dev/null
status=$?
[[ $status == 3 ]] || fail "validation record to a full disk (status $status)"

((failures == 0)) && echo "kestal-convert: all cases pass"
exit $((failures > 0))
