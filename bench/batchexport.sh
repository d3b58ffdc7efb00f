#!/usr/bin/env bash
# Times the command-line image export of a generated page as a whole
# process, from start to exit: five runs and their median, beside the
# machine's load. Reports, asserts nothing.
#
#   bench/batchexport.sh [SHAPES] [PROGRAM]
#
# SHAPES defaults to 10000; PROGRAM to the Release build's Loomdraw, which
# is built first when missing.
set -euo pipefail
source "$(dirname "$0")/programbench.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$generator" "$shapes" "$work/page" > /dev/null

times=()
for i in $(seq "$runs"); do
    rm -f "$work/page.png"
    start=$(date +%s%N)
    "$program" -exportimage "$work/page.slf" "$work/page.png" 2> /dev/null
    end=$(date +%s%N)
    [ -s "$work/page.png" ] || { echo "run $i wrote no image" >&2; exit 1; }
    times+=($(( (end - start) / 1000000 )))
done

sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "batch export of a ${shapes}-shape page ($(stat -c %s "$work/page.slf") bytes), whole process"
echo "runs (ms): ${times[*]}"
echo "median (ms): ${sorted[$(( runs / 2 ))]}"
echo "nproc: $(nproc)"
echo "uptime: $(uptime)"
