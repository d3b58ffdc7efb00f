# Sourced by the benchmarks that time the program as a whole process: the
# repository root, the page generator, and the program to time.
#
#   SHAPES from the first argument (default 10000), PROGRAM from the second
#   (default the Release build's Loomdraw, built first when missing), RUNS 5.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
shapes="${1:-10000}"
program="${2:-$root/build/release/app/Loomdraw}"
generator=/work/shared/bench/gen_scene.py
runs=5

if [ ! -x "$program" ]; then
    cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DLOOMDRAW_TESTS=OFF > /dev/null
    cmake --build "$root/build/release" -j4 --target Loomdraw > /dev/null
fi
