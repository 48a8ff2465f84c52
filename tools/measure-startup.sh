#!/usr/bin/env bash
# Start-up of the calculator against an empty QWidget of the same size, and against that QWidget
# with one line of text; and of Club Secretary, opening the demo club as the club used last (after
# its first frame, as it does, or before it), against a QWidget of its size with one line of text. They alternate, run after run, under one
# X server (Xvfb). Club Secretary's data and settings folders are a throwaway's, made here.
# Printed for each: the time from launch to the first painted frame and from main() to it
# (medians, and the least of the runs, the one least disturbed by anything else), and the
# median peak resident memory.
#   tools/measure-startup.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build/dev}
runs=${2:-21}
probe="$(realpath "$build/tools/startup-probe")"
kinds="empty text calculator wide-text distances distances-filled"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
xvfb-run -a "$probe" distances-club 2>/dev/null

results=$(xvfb-run -a bash -c "
    for i in \$(seq $runs); do
        for kind in $kinds; do
            VC_LAUNCH_NS=\$(date +%s%N) '$probe' \$kind 2>/dev/null
        done
    done")

for kind in $kinds; do
    echo "$results" | awk -v kind="$kind" '
        function median(a, n,   i, j, t) {
            for (i = 0; i < n; i++)
                for (j = i + 1; j < n; j++)
                    if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
            return a[int(n / 2)]
        }
        BEGIN { n = 0 }
        $1 == kind { main[n] = $3; rss[n] = $5; launch[n] = $11; n++ }
        END {
            printf "%-16s runs %d  first paint from launch: median %d ms, least %d ms;", kind, n,
                median(launch, n), launch[0]
            printf " from main(): median %d ms, least %d ms;  peak RSS median %d KiB\n",
                median(main, n), main[0], median(rss, n)
        }'
done
