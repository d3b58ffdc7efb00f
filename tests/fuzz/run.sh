#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a given time.
#
#   tests/fuzz/run.sh [seconds] [target...]
#
# seconds defaults to 600; the targets default to all of them (documentfile,
# clipboard, attributes, archive, handover, commandline, settings, library,
# catalogue). They run FUZZ_JOBS at a time (default 2: the machine is
# shared), each starting from its seeds and its saved
# findings and keeping what it learns in build/fuzz/corpus/<target>. An
# input that breaks a target is written to build/fuzz/findings/<target>/;
# after fixing the fault, copy it (under a name that says what it shows)
# into tests/fuzz/findings/<target>/, where the test suite replays it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-600}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(documentfile clipboard attributes archive handover commandline
                                    settings library catalogue)

build="$root/build/fuzz"
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DLOOMDRAW_FUZZ=ON -DLOOMDRAW_SANITIZE=ON -DLOOMDRAW_TESTS=OFF -DLOOMDRAW_BENCH=OFF > /dev/null
fi
cmake --build "$build" -j4 --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
export ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0:use_tls=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

run() {
    local target="$1"
    local corpus="$build/corpus/$target" findings="$build/findings/$target" log="$build/$target.log"
    mkdir -p "$corpus" "$findings"
    local status=0
    "$build/tests/fuzz/fuzz_$target" "$corpus" "$here/corpus/$target" "$here/findings/$target" \
        -dict="$here/$target.dict" -max_total_time="$seconds" -max_len=65536 -timeout=30 \
        -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/" > "$log" 2>&1 || status=$?
    {
        echo "== $target, ${seconds}s (log: $log)"
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$log" || true
        echo "findings: $(find "$findings" -type f | wc -l) (exit $status)"
    } > "$log.summary"
}

jobs_at_once="${FUZZ_JOBS:-2}"
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs_at_once" ]; do
        wait -n || true
    done
    echo "== starting $target for ${seconds}s"
    run "$target" &
done
wait
for target in "${targets[@]}"; do
    cat "$build/$target.log.summary"
done
