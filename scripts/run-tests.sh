#!/usr/bin/env bash
# Builds both trees and runs every test: the native core with sanitizers,
# then the Windows tests under Wine and Xvfb. Ends with "N passed, M failed".
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# BUILD_DIR lets two checkouts or two people build side by side.
export BUILD_DIR="${BUILD_DIR:-build}"
mkdir -p "$BUILD_DIR"

scripts/install-deps.sh || exit 1

passed=0
failed=0
# Adds the counts of CTest's closing line in file $1; a run without that
# line (a crash, a build error) counts as one failure.
count_results() {
    local line
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        return
    fi
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    failed=$((failed + bad))
    passed=$((passed + total - bad))
}

echo "== Native core (AddressSanitizer, UndefinedBehaviorSanitizer)"
if cmake -S . -B "$BUILD_DIR"/native -DCMAKE_BUILD_TYPE=Debug >"$BUILD_DIR"/native.log 2>&1 &&
   cmake --build "$BUILD_DIR"/native -j "$jobs" >>"$BUILD_DIR"/native.log 2>&1; then
    ctest --test-dir "$BUILD_DIR"/native --output-on-failure -j "$jobs" 2>&1 | tee "$BUILD_DIR"/native-tests.log
    count_results "$BUILD_DIR/native-tests.log"
else
    cat "$BUILD_DIR"/native.log; echo "native build failed"; failed=$((failed + 1))
fi

echo "== Windows (cross-built, run under Wine)"
if cmake -S . -B "$BUILD_DIR"/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
         -DCMAKE_BUILD_TYPE=Release >"$BUILD_DIR"/win32.log 2>&1 &&
   cmake --build "$BUILD_DIR"/win32 -j "$jobs" >>"$BUILD_DIR"/win32.log 2>&1; then
    xvfb-run -a -s "-screen 0 1280x1024x24" scripts/run-wine-tests.sh 2>&1 | tee "$BUILD_DIR"/win32-tests.log
    count_results "$BUILD_DIR"/win32-tests.log
else
    tail -n 60 "$BUILD_DIR"/win32.log; echo "Windows build failed"; failed=$((failed + 1))
fi

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
