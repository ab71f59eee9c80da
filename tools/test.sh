#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the plain suite,
# the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and a
# short bounded fuzz run of the property-stream reader. Every build treats
# compiler warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=$(nproc)
configure() { cmake -S . -G Ninja -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@" >/dev/null; }

echo "== plain build and tests"
configure -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs" --timeout 120)

echo "== sanitizer build and tests"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
configure -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTESMORA_SANITIZE=ON -DTESMORA_BENCH=OFF
cmake --build build-asan -j"$jobs"
(cd build-asan && ctest --output-on-failure -j"$jobs" --timeout 240)

echo "== fuzz run"
CXX=clang++ configure -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESMORA_FUZZ=ON -DTESMORA_BENCH=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_property_stream
# libFuzzer adds what it finds to the corpus folder; the checked-in seeds stay
# as they are. With no seeds, cp fails and so does the run.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp fuzz/corpus/* "$corpus"/
build-fuzz/fuzz/fuzz_property_stream -max_total_time=60 -timeout=5 -rss_limit_mb=2048 "$corpus"
echo "== all tests passed"
