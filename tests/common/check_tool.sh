# The helpers the command-line tools' checks share, sourced by each after `set -uo pipefail`:
#   source check_tool.sh <tool> <data folder> [emulator...]
# It goes to the data folder and gives run, expect and fail, counting failures in $failures.
tool=$1
cd "$2" || exit 1
shift 2
emulator=("$@")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Runs the tool; its standard output and error (without the CRs Windows puts on a console's error
# stream) land in $out, its exit status in $status.
run() {
    "${emulator[@]}" "$tool" "$@" >"$out/stdout" 2>"$out/stderr.raw"
    status=$?
    tr -d '\r' <"$out/stderr.raw" >"$out/stderr"
}
expect() {  # <description> <exit status> <expected standard output file or ->
    [[ $status == "$2" ]] || fail "$1: exit status $status, not $2; stderr: $(cat "$out/stderr")"
    if [[ $3 == - ]]; then
        [[ ! -s "$out/stdout" ]] || fail "$1: wrote to standard output: $(head -c 300 "$out/stdout")"
    else
        cmp -s "$3" "$out/stdout" || fail "$1: printed $(head -c 600 "$out/stdout"), not $(cat "$3")"
    fi
}
