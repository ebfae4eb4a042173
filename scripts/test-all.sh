#!/usr/bin/env bash
# Builds and runs every test: the Qt-free core under AddressSanitizer +
# UndefinedBehaviorSanitizer, the serial port under ThreadSanitizer, every
# fuzzer for a short while, and last the whole project's suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)

echo "== Core under AddressSanitizer + UndefinedBehaviorSanitizer"
[ -f build-asan/build.ninja ] || cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTARN_CORE_ONLY=ON -DTARN_SANITIZE=address,undefined
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Serial port and end-to-end tests under ThreadSanitizer"
[ -f build-tsan/build.ninja ] || cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTARN_CORE_ONLY=ON -DTARN_SANITIZE=thread
cmake --build build-tsan --target tarn_serial_tests tarn_e2e_tests tarn-camsim
# The thread sanitizer's shadow memory does not fit every address-space layout
# that recent kernels randomise; a run without randomisation always fits.
TSAN_OPTIONS=halt_on_error=1 setarch "$(uname -m)" -R \
    ctest --test-dir build-tsan --output-on-failure -L 'serial|e2e'

echo "== Fuzzers: the reply fuzzer for 60 seconds, every other parser's for 15"
[ -f build-fuzz/build.ninja ] || cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARN_CORE_ONLY=ON -DTARN_FUZZ=ON \
    -DTARN_SANITIZE=address,undefined
cmake --build build-fuzz
for fuzzer in build-fuzz/tests/fuzz/tarn_*_fuzzer; do
    name=$(basename "$fuzzer")
    seconds=15
    [ "$name" = tarn_reply_fuzzer ] && seconds=60
    echo "-- $name, $seconds s"
    mkdir -p "build-fuzz/corpus/$name"
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "build-fuzz/corpus/$name"
done

echo "== Build and test (all)"
scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

echo "== The Debian package: built from the same build, its contents and programs checked, lintian"
scripts/package.sh
