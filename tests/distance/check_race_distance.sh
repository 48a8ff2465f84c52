#!/usr/bin/env bash
# Runs the race-distance tool as a person or a script would and checks what it prints and its exit
# status: one distance, the table from each form a spreadsheet saves, and the reports of bad input.
#   check_race_distance.sh <race-distance> <data folder> [emulator...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common/check_tool.sh" "$@"

printf '86 miles 971 yards (139.291 km), bearing 109.4\u00B0\n' >"$out/example"
run "53°00'14\"N" "2°10'47\"W" "52°34'20\"N" "0°14'30\"W"
expect "one distance" 0 "$out/example"

printf '139291.326\t86\t971\t139.291\t109.4\n' >"$out/example.tsv"
run --tsv 53.00.14 -2.10.47 "N 52 34 20" "0 14 30 W"
expect "one distance as TSV" 0 "$out/example.tsv"

# GeographicLib's own published example, Berkeley to Port Moresby: 10,700,471.955 m.
printf '10700471.955\t6648\t1698\t10700.472\t263.1\n' >"$out/berkeley.tsv"
run --tsv 37.87622 -122.23558 -9.4047 147.1597
expect "Berkeley to Port Moresby" 0 "$out/berkeley.tsv"

run --table lofts.csv race-points.csv
expect "table from LF files with commas" 0 table.csv
run --table lofts-semicolons.csv race-points-crlf.csv
expect "table from CRLF files with byte-order marks, semicolons and decimal commas" 0 table.csv

# Every bad cell, each with its file, row and column; nothing on standard output.
run --table bad-lofts.csv race-points.csv
expect "bad cells" 2 -
cells=$(cut -d: -f1-2 "$out/stderr" | tr '\n' '|')
[[ $cells == "bad-lofts.csv: row 3, latitude|bad-lofts.csv: row 4, name|bad-lofts.csv: row 4, latitude|bad-lofts.csv: row 4, longitude|" ]] ||
    fail "bad cells reported as $cells"

run "52 61 0 N" 2 52 1
expect "a bad coordinate" 2 -
grep -q '^race-distance: race point latitude: Minutes must be below 60' "$out/stderr" ||
    fail "a bad coordinate reported as $(cat "$out/stderr")"

run --table no-such-file.csv race-points.csv
expect "a file that cannot be read" 1 -
grep -q 'no-such-file.csv' "$out/stderr" || fail "the unreadable file not named: $(cat "$out/stderr")"

run 52 1 52
expect "three coordinates" 2 -

run --help
[[ $status == 0 ]] || fail "--help exit status $status"
for words in --table --tsv 'Exit status' 'byte-order mark' semicolons; do
    grep -q -- "$words" "$out/stdout" || fail "--help does not mention $words"
done

((failures == 0)) && echo "race-distance: all checks passed"
exit $((failures > 0))
