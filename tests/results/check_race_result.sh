#!/usr/bin/env bash
# Runs the race-result tool as a secretary or a script would and checks what it prints and its
# exit status: a return's result in each form, and the reports of bad input.
#   check_race_result.sh <race-result> <data folder> [emulator...]
set -uo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../common/check_tool.sh" "$@"
race=(--liberation "2026-05-09 07:15" --darkness 21:00-05:00)

# A same-day bird, a two-day bird (clocked the day before its clock was struck), one out
# overnight, a tie, a bird clocked before liberation and a ring clocked twice.
run "${race[@]}" return.csv
expect "the result as CSV" 0 result.csv

run "${race[@]}" --text --decimals 4 --name "Open race" return.csv
expect "the result as a table" 0 "$out/stdout"
grep -q '^  2  Brown .* 610\.3348$' "$out/stdout" || fail "the table's tie: $(cat "$out/stdout")"

# The page parses as a browser reads it, and its table has a row for each bird of the CSV.
run "${race[@]}" --html return.csv
[[ $status == 0 ]] || fail "the result as a page: exit status $status"
python3 "$here/check_result_page.py" "$out/stdout" result.csv || fail "the page does not read"

run "${race[@]}" --html --first-bird --unit m/min return.csv
expect "the first birds as a page" 0 "$out/stdout"
[[ $(grep -c '<td class="figure">[0-9]' "$out/stdout") -gt 0 ]] || fail "no figures on the page"
grep -q 'NL26-1234999' "$out/stdout" && fail "a loft's second bird on the first-bird page"

# Every bad cell, each with its file, row and column; nothing on standard output.
run --liberation "2026-05-09 07:15" bad-return.csv
expect "bad cells" 2 -
cells=$(cut -d: -f1-2 "$out/stderr" | tr '\n' '|')
[[ $cells == "bad-return.csv: row 2, clocked|bad-return.csv: row 3, clock check|bad-return.csv: row 4, ring|bad-return.csv: row 4, clock check|bad-return.csv: row 4, miles|bad-return.csv: row 4, yards|" ]] ||
    fail "bad cells reported as $cells"

run --liberation "31/02/2026 07:00" return.csv
expect "a liberation on no such day" 2 -
grep -q '^race-result: --liberation' "$out/stderr" || fail "the liberation not named: $(cat "$out/stderr")"

run return.csv
expect "no liberation" 2 -

run --liberation "2026-05-09 07:15" no-such-file.csv
expect "a file that cannot be read" 1 -
grep -q 'no-such-file.csv' "$out/stderr" || fail "the unreadable file not named: $(cat "$out/stderr")"

# A club file's races (tests/results/data/club.club, written by the results tests' fixture), and
# one race's result worked out from its clocks and clockings.
# A copy: opening a club of an older format upgrades it, and the fixture stays as committed.
cp club.club "$out/club.club"
run "$out/club.club"
[[ $status == 0 && $(tr -d '\r' <"$out/stdout") == $'Cheltenham YB\t2026-05-09 07:15' ]] ||
    fail "the club's races: exit status $status, $(cat "$out/stdout")"
run "$out/club.club" "Cheltenham YB"
expect "a club race's result" 0 club-result.csv
run "$out/club.club" "Agen"
expect "a race the club does not have" 1 -
grep -q 'Cheltenham YB' "$out/stderr" || fail "the club's races not listed: $(cat "$out/stderr")"
run no-such-club.club
expect "a club file that is not there" 1 -

run --help
[[ $status == 0 ]] || fail "--help exit status $status"
for words in --liberation --darkness --first-bird 'Exit status' 'race-result --liberation' 'CLUB.club RACE'; do
    grep -q -- "$words" "$out/stdout" || fail "--help does not mention $words"
done

((failures == 0)) && echo "race-result: all checks passed"
exit $((failures > 0))
