#!/usr/bin/env bash
# Runs every fuzz target of tests/fuzz with libFuzzer (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) for FUZZ_SECONDS each (default 60), starting
# from its committed corpus, and merges the inputs that reach new code back
# into tests/fuzz/corpus/<target>. A crash, hang, overrun or undefined
# behaviour stops that target; its input is kept under $BUILD_DIR/fuzz/artifacts.
# FUZZ_TARGETS="page_list log_header" runs only those.
set -uo pipefail
cd "$(dirname "$0")/.."
export BUILD_DIR="${BUILD_DIR:-build}"
seconds="${FUZZ_SECONDS:-60}"
out="$BUILD_DIR/fuzz"
mkdir -p "$out"

# clang's libFuzzer and sanitizer runtimes, needed here only.
scripts/install-deps.sh clang libclang-rt-14-dev || exit 1

# Every target has its corpus folder.
targets="${FUZZ_TARGETS:-$(ls tests/fuzz/corpus)}"

echo "== Building the fuzz targets (clang, libFuzzer)"
if ! CC=clang CXX=clang++ cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=Debug \
         -DCMAKE_CXX_FLAGS="-O1 -fsanitize=fuzzer-no-link" -DKESTRO_LIBFUZZER=ON \
         >"$out/build.log" 2>&1 ||
   ! cmake --build "$out" -j "$(nproc)" --target $(printf 'fuzz_%s ' $targets) \
         >>"$out/build.log" 2>&1; then
    tail -n 40 "$out/build.log"; echo "fuzz build failed"; exit 1
fi

# The log target writes a file per input: memory is faster than disk.
[ -w /dev/shm ] && export TMPDIR=/dev/shm

failed=()
for t in $targets; do
    corpus="tests/fuzz/corpus/$t"
    work="$out/work/$t"
    mkdir -p "$work" "$out/artifacts" "$corpus"
    echo "== $t: ${seconds}s"
    # New inputs go to the scratch folder; the committed corpus is read.
    if ! "$out/tests/fuzz/fuzz_$t" "$work" "$corpus" -max_total_time="$seconds" \
            -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
            -artifact_prefix="$out/artifacts/$t-" >"$out/$t.log" 2>&1; then
        grep -E 'ERROR|runtime error|check failed|Test unit written' "$out/$t.log" | head -n 10
        failed+=("$t")
        continue
    fi
    grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb' "$out/$t.log"
    # Keep only inputs that reach code (edges, not hit counts) the committed
    # corpus does not, so it stays small.
    before=$(ls "$corpus" | wc -l)
    "$out/tests/fuzz/fuzz_$t" -merge=1 -use_counters=0 "$corpus" "$work" >>"$out/$t.log" 2>&1
    echo "   corpus: $before -> $(ls "$corpus" | wc -l) files"
done

echo
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults in: ${failed[*]} (logs and inputs in $out)"
    exit 1
fi
echo "fuzzing found no faults in: $(echo $targets)"
