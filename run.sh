#!/usr/bin/env bash
# Installs what is missing, builds the drawing program and its updater in
# the Release tree (neither the tests nor the benchmarks nor the widget
# gallery) and starts the drawing program with the given arguments, from the
# folder it was called in (so that relative document and image paths mean
# what they say).
set -euo pipefail
caller="$PWD"
root="$(cd "$(dirname "$0")" && pwd)"
cd "$root"
tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DLOOMDRAW_TESTS=OFF -DLOOMDRAW_BENCH=OFF \
    > /dev/null
cmake --build build/release -j"$(nproc)" --target Loomdraw LoomdrawUpdate
cd "$caller"
exec "$root/build/release/app/Loomdraw" "$@"
