#!/usr/bin/env bash
# Builds the application and the minimal Qt program (Release, in
# build-bench/) and prints the start-up figures of both and their ratios:
# time from process start to the first window on screen, and peak memory.
# An optional argument sets the number of runs of each (default 15).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESMORA_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target tesmora minimal_window >/dev/null
python3 bench/startup_bench.py build-bench/shell/tesmora build-bench/bench/minimal_window "${1:-15}"
