#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer tree and runs every test
# there, then builds a plain Debug tree and runs every test once more
# without the sanitizers, whose timing can hide a fault.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DLOOMDRAW_SANITIZE=ON -DLOOMDRAW_WERROR=ON > /dev/null
cmake --build build/test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
export ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0"
# use_tls=0: the leak checker of this compiler crashes reading the thread
# storage of libraries loaded at run time (the image plugins) on newer C
# libraries; heap blocks reachable from the thread storage of our own code
# would show up as leaks instead of being missed.
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0:use_tls=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build/test && ctest --output-on-failure -j"$(nproc)" "$@")

cmake -S . -B build/plain -DCMAKE_BUILD_TYPE=Debug -DLOOMDRAW_WERROR=ON -DLOOMDRAW_BENCH=OFF > /dev/null
cmake --build build/plain -j"$(nproc)"
(cd build/plain && ctest --output-on-failure -j"$(nproc)" "$@")
