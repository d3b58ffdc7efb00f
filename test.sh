#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer tree and runs every test
# there, then builds a plain Debug tree and runs every test once more
# without the sanitizers, whose timing can hide a fault. The plain tree runs
# even when the sanitizer tree failed; the exit code is non-zero when either
# failed to build or had a failing test.
#
# LOOMDRAW_FULL_UNWIND=1 unwinds every allocation fully, for reading a leak
# report whose stacks stop inside a library built without frame pointers; it
# makes the sanitizer tree several times slower.
set -uo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh || exit 1

export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
unwind=""
[ "${LOOMDRAW_FULL_UNWIND:-0}" = 1 ] && unwind=":fast_unwind_on_malloc=0"
export ASAN_OPTIONS="detect_leaks=1$unwind"
# use_tls=0: the leak checker of this compiler crashes reading the thread
# storage of libraries loaded at run time (the image plugins) on newer C
# libraries; heap blocks reachable from the thread storage of our own code
# would show up as leaks instead of being missed.
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0:use_tls=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Builds and tests one tree: test_tree NAME CMAKE-OPTIONS... -- CTEST-ARGUMENTS...
test_tree() {
    local tree="build/$1"
    shift
    local options=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    cmake -S . -B "$tree" "${options[@]}" > /dev/null \
        && cmake --build "$tree" -j"$(nproc)" \
        && (cd "$tree" && ctest --output-on-failure -j"$(nproc)" "$@")
}

# Line tables are all a failing test's stack needs, and lld links the many
# test programs in a fraction of the time: together they halve the build.
fast_build=(-DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
status=0
test_tree test -DCMAKE_BUILD_TYPE=Debug -DLOOMDRAW_SANITIZE=ON -DLOOMDRAW_WERROR=ON "${fast_build[@]}" -- "$@" \
    || { status=1; echo "test.sh: the sanitizer tree failed" >&2; }
# The plain tree has nothing of the sanitizers to read.
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
# The sanitizer tree has compiled the benchmarks and the gallery already.
test_tree plain -DCMAKE_BUILD_TYPE=Debug -DLOOMDRAW_WERROR=ON -DLOOMDRAW_BENCH=OFF -DLOOMDRAW_GALLERY=OFF \
    "${fast_build[@]}" -- "$@" \
    || { status=1; echo "test.sh: the plain tree failed" >&2; }
exit "$status"
