#!/usr/bin/env bash
# Runs the tests of the page renderer and of the batch export under
# ThreadSanitizer: the banded paint, concurrent renders of one document and
# documents painted on workers. Builds only those tests, in a tree of its
# own (build-tsan, -g1), and deletes the tree afterwards: a ThreadSanitizer
# build of the whole program is large and slow, too slow for ./test.sh.
#
#   tools/tsan-renderer.sh [JOBS]
#
# Exits non-zero when a test fails or ThreadSanitizer reports a race.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="$root/build-tsan"
jobs="${1:-4}"
trap 'rm -rf "$tree"' EXIT

cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=Debug -DLOOMDRAW_SANITIZE=OFF -DLOOMDRAW_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -g1 -O1" -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} > /dev/null
cmake --build "$tree" -j"$jobs" --target tst_pagerenderer tst_batchimageexport > /dev/null

export QT_QPA_PLATFORM=offscreen
# Races inside Qt's own font and glyph caches are Qt's to mend; the
# suppressions name them, nothing of ours.
export TSAN_OPTIONS="halt_on_error=0:exitcode=66:second_deadlock_stack=1:suppressions=$root/tools/tsan.supp"
# Without address-space randomisation: the sanitizer's fixed shadow layout
# collides with randomised mappings on current kernels and crashes at start.
# The sanitizer slows painting tenfold: a few of the comparisons (several
# band counts, concurrent renders, a batch of many pairs) rather than all.
export QTEST_FUNCTION_TIMEOUT=1800000
run() {
    (cd "$tree/tests" && setarch "$(uname -m)" -R "$@") || status=$?
}
status=0
run ./tst_pagerenderer "bandsEqualTheWholePaint:default paper, 3 bands" \
    "bandsEqualTheWholePaint:wide thin paper, 16 bands" concurrentRendersOfOneDocument rendersAgainAlike
run ./tst_batchimageexport manyPairsInFlightKeepTheirOrder pairsDocumentsAndImagesByOrder
exit "$status"
