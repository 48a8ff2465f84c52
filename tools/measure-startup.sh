#!/usr/bin/env bash
# Start-up as a user gets it: the built programs themselves launched from the shell, each to its
# first frame on the X server (Xvfb; tools/first-frame watches the Damage extension), against a
# one-label Qt Widgets window of the calculator's size (tools/one-label), alternating, run after
# run; the same one-label window at Club Secretary's size (1200x760) is timed beside them, to tell
# the window's size from what is in it. Club Secretary opens a season's club of 200 lofts and 20
# races of 3,000 birds as the club used last, in throwaway data and settings folders made here;
# race-result --help is timed to its end, for scale.
#
# Printed for each: the median and the least time to the first frame (and for Club Secretary to
# its window settled with the club's lists filled), the ratio of the medians to the one-label
# window's (for Club Secretary also to the one-label window of its size), and where the time goes (the programs' own marks, VC_STARTUP_MARKS, medians: "main" is
# what loading the program and its libraries took; "fonts" when the font configuration, read on
# another core meanwhile, was ready; then QApplication, the window built and shown, "first-paint"
# once the window itself is painted, "painted" once everything in it is and the frame has gone
# to the X server, and the club opened), and below it the CPU the thread marking had had by then
# (the main thread's, but for "fonts" and "image-formats", marked by the threads that do them on
# the other core): where the clock runs on and the CPU does not, the program was waiting.
#   tools/measure-startup.sh [build-dir] [runs]
set -euo pipefail
build=$(realpath "${1:-build/release}")
runs=${2:-21}
first_frame="$build/tools/first-frame"
kinds="one-label one-label-large calculator club-secretary race-result"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
xvfb-run -a "$build/tools/startup-probe" season-club 2>/dev/null

command_of() {
    case $1 in
    one-label) echo "'$first_frame' '$build/tools/one-label'" ;;
    one-label-large) echo "'$first_frame' '$build/tools/one-label' 1200x760" ;;
    calculator) echo "'$first_frame' '$build/app/calculator/velocity-calculator'" ;;
    club-secretary) echo "'$first_frame' '$build/app/club-secretary/club-secretary'" ;;
    race-result) echo "'$first_frame' --exit '$build/app/race-result/race-result' --help" ;;
    esac
}
script=""
for kind in $kinds; do
    script+="
        run_$kind() { $(command_of "$kind") ; }"
done
results=$(VC_STARTUP_MARKS=1 xvfb-run -a bash -c "$script
    for i in \$(seq $runs); do
        for kind in $kinds; do
            run_\$kind 2>&1 | sed -n -e \"s/^startup-mark /\$kind mark /p\" \\
                -e \"s/^\\(first-frame-ms\\|exit-ms\\)/\$kind \\1/p\"
        done
    done")

echo "$results" | awk -v kinds="$kinds" '
    function sort(a, n,   i, j, t) {
        for (i = 0; i < n; i++)
            for (j = i + 1; j < n; j++)
                if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    }
    $2 == "first-frame-ms" { frame[$1, n_frame[$1]++] = $3; settled[$1, n_settled[$1]++] = $5 }
    $2 == "exit-ms" { frame[$1, n_frame[$1]++] = $3 }
    $2 == "mark" {
        if (!(($1, $3) in seen)) { seen[$1, $3] = 1; order[$1, n_order[$1]++] = $3 }
        if (NF >= 5) cpu[$1, $3, n_mark[$1, $3] + 0] = $5
        mark[$1, $3, n_mark[$1, $3]++] = $4
    }
    END {
        split(kinds, list, " ")
        for (k = 1; k in list; k++) {
            kind = list[k]; n = n_frame[kind]
            for (i = 0; i < n; i++) a[i] = frame[kind, i]
            sort(a, n); median[kind] = a[int(n / 2)]; least[kind] = a[0]
            for (i = 0; i < n_settled[kind]; i++) b[i] = settled[kind, i]
            sort(b, n_settled[kind]); settle[kind] = b[int(n_settled[kind] / 2)]
        }
        for (k = 1; k in list; k++) {
            kind = list[k]
            printf "%-15s runs %d  first frame: median %.1f ms, least %.1f ms, %.2fx the one-label window",
                kind, n_frame[kind], median[kind], least[kind], median[kind] / median["one-label"]
            if (kind == "club-secretary") {
                printf ", %.2fx the one-label window of its size", median[kind] / median["one-label-large"]
                printf "; settled with the club: median %.1f ms", settle[kind]
            }
            printf "\n"
            line = ""; busy = ""
            for (m = 0; m < n_order[kind]; m++) {
                name = order[kind, m]; c = n_mark[kind, name]
                for (i = 0; i < c; i++) a[i] = mark[kind, name, i]
                sort(a, c); line = line sprintf("  %s %.1f", name, a[int(c / 2)])
                if ((kind, name, 0) in cpu) {
                    for (i = 0; i < c; i++) a[i] = cpu[kind, name, i]
                    sort(a, c); busy = busy sprintf("  %s %.1f", name, a[int(c / 2)])
                }
            }
            if (line != "") printf "                marks (ms from launch, medians):%s\n", line
            if (busy != "") printf "                CPU by then (ms, medians):%s\n", busy
        }
    }'
