#!/usr/bin/env bash
# Runs the tests of the page renderer and of the batch export under
# ThreadSanitizer: the tasks shared with the pool, the banded paint, concurrent renders of one document,
# the layer thumbnails and documents painted on threads of their own.
# Builds only those tests, in a tree of its own (build-tsan, -g1), and
# deletes the tree afterwards: a ThreadSanitizer build of the whole program
# is large and slow, too slow for ./test.sh.
#
#   tools/tsan-renderer.sh [JOBS]
#
# The libraries we link are not built with the sanitizer; tools/tsan.supp
# ignores what their own calls report, by library, and nothing of ours.
# Fails when a test fails, or when a report has a frame in our code (a
# source file of this tree), or when the sanitizer misses the race of
# tools/tsancanary.cpp. Says how many reports there were in all.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="$root/build-tsan"
jobs="${1:-4}"
trap 'rm -rf "$tree"' EXIT

cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=Debug -DLOOMDRAW_SANITIZE=OFF -DLOOMDRAW_BENCH=OFF \
    -DLOOMDRAW_GALLERY=OFF -DCMAKE_CXX_FLAGS="-fsanitize=thread -g1 -O1" \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} > /dev/null
cmake --build "$tree" -j"$jobs" --target tst_sharedtasks tst_pagerenderer tst_batchimageexport > /dev/null
c++ -std=c++17 -fsanitize=thread -g -O1 "$root/tools/tsancanary.cpp" -o "$tree/tsancanary"

export QT_QPA_PLATFORM=offscreen
export TSAN_OPTIONS="halt_on_error=0:exitcode=0:second_deadlock_stack=1:suppressions=$root/tools/tsan.supp"
# The sanitizer slows painting several times over.
export QTEST_FUNCTION_TIMEOUT=1800000
log="$tree/reports.log"
: > "$log"
status=0
# Without address-space randomisation: the sanitizer's fixed shadow layout
# collides with randomised mappings on current kernels and crashes at start.
run() {
    (cd "$tree" && setarch "$(uname -m)" -R "$@" 2>> "$log") > /dev/null || { status=1; echo "failed: $*" >&2; }
}
run tests/tst_sharedtasks
run tests/tst_pagerenderer
run tests/tst_batchimageexport

# One report is the lines from its WARNING to its SUMMARY; it is ours when
# any of its frames lies in a source file below the root.
reports_of_ours() {
    awk -v root="$root/" '
        /WARNING: ThreadSanitizer/ { inside = 1; mine = 0; next }
        inside && index($0, root) { mine = 1 }
        /^SUMMARY: ThreadSanitizer/ { if (inside && mine) count++; inside = 0 }
        END { print count + 0 }' "$1"
}
ours=$(reports_of_ours "$log")
all=$(grep -c "WARNING: ThreadSanitizer" "$log" || true)
echo "tsan-renderer: $all reports, $ours with a frame in our code"
if [ "$ours" -gt 0 ]; then
    status=1
    cp "$log" "$root/tsan-reports.log"
    echo "tsan-renderer: the reports are kept in tsan-reports.log" >&2
fi

# The canary's race must be seen and counted as ours, or zero reports
# above means nothing.
canary="$tree/canary.log"
(cd "$tree" && setarch "$(uname -m)" -R ./tsancanary > /dev/null 2> "$canary") || true
if [ "$(reports_of_ours "$canary")" -lt 1 ]; then
    status=1
    echo "tsan-renderer: the sanitizer missed the canary's race" >&2
fi
exit "$status"
