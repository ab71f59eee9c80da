#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the plain suite,
# the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and a
# short bounded fuzz run of the property-stream reader.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=$(nproc)

echo "== plain build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs" --timeout 120)

echo "== sanitizer build and tests"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESMORA_SANITIZE=ON -DTESMORA_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ctest --output-on-failure -j"$jobs" --timeout 240)

if [ -f fuzz/CMakeLists.txt ]; then
  echo "== fuzz run"
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESMORA_FUZZ=ON -DTESMORA_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j"$jobs" --target fuzz_property_stream
  corpus=$(mktemp -d)
  cp fuzz/corpus/* "$corpus"/ 2>/dev/null || true
  build-fuzz/fuzz/fuzz_property_stream -max_total_time=60 -timeout=5 -rss_limit_mb=2048 "$corpus"
  rm -rf "$corpus"
fi
echo "== all tests passed"
