#!/usr/bin/env bash
# Times the interactive start as a whole process, from the process start to
# the main window shown and its first tab painted: once with one new
# document, once with a generated page of SHAPES shapes. Five runs of each
# and their medians, beside the machine's load. Reports, asserts nothing.
#
#   bench/startup.sh [SHAPES] [PROGRAM]
#
# SHAPES defaults to 10000; PROGRAM to the Release build's Loomdraw, which
# is built first when missing. Uses the display there is (run it under
# xvfb-run for an X server), else the offscreen platform. Each run is a
# first instance of its own: fresh runtime, home and configuration folders.
set -euo pipefail
source "$(dirname "$0")/programbench.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$generator" "$shapes" "$work/page" > /dev/null

# One run: prints "<ms to shown> <ms to painted>".
run_once() {
    local sandbox="$work/run"
    rm -rf "$sandbox"
    mkdir -p "$sandbox/runtime" "$sandbox/home" "$sandbox/config"
    chmod 700 "$sandbox/runtime"
    local start output shown painted
    start=$(( $(date +%s%N) / 1000000 ))
    output=$(cd "$work" && XDG_RUNTIME_DIR="$sandbox/runtime" HOME="$sandbox/home" \
        XDG_CONFIG_HOME="$sandbox/config" LOOMDRAW_REPORT_STARTUP=1 "$program" "$@" 2> /dev/null)
    shown=$(sed -n 's/^shown //p' <<< "$output")
    painted=$(sed -n 's/^painted //p' <<< "$output")
    [ -n "$shown" ] && [ -n "$painted" ] || { echo "a run reported nothing" >&2; exit 1; }
    echo "$(( shown - start )) $(( painted - start ))"
}

median() {
    sort -n | sed -n "$(( runs / 2 + 1 ))p"
}

measure() {
    local label="$1"
    shift
    local results=()
    for i in $(seq "$runs"); do
        results+=("$(run_once "$@")")
    done
    local shown painted
    shown=$(printf '%s\n' "${results[@]}" | cut -d' ' -f1)
    painted=$(printf '%s\n' "${results[@]}" | cut -d' ' -f2)
    echo "$label"
    echo "  shown (ms):   $(echo $shown)   median $(median <<< "$shown")"
    echo "  painted (ms): $(echo $painted)   median $(median <<< "$painted")"
}

echo "platform: ${QT_QPA_PLATFORM:-${DISPLAY:+xcb}}"
measure "start with one new document"
measure "start with a ${shapes}-shape page ($(stat -c %s "$work/page.slf") bytes)" page.slf
echo "nproc: $(nproc)"
echo "uptime: $(uptime)"
