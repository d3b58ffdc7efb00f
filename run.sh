#!/usr/bin/env bash
# Installs what is missing, builds the Release tree and starts the drawing program.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DLOOMDRAW_TESTS=OFF > /dev/null
cmake --build build/release -j"$(nproc)"
if [ -x build/release/app/Loomdraw ]; then
    exec build/release/app/Loomdraw "$@"
fi
echo "Built everything; the Loomdraw program itself is not there yet."
