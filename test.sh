#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer tree and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DLOOMDRAW_SANITIZE=ON -DLOOMDRAW_WERROR=ON > /dev/null
cmake --build build/test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
export ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build/test
ctest --output-on-failure -j"$(nproc)" "$@"
