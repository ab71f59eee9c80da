#!/usr/bin/env bash
# Builds the application as the tests run it, tesmora_probed (the shipped
# tesmora plus the probe that says when its first window is on screen), and
# the minimal Qt program (Release, in build-bench/), and prints the start-up
# figures of both and their ratios:
# time from process start to the first window on screen, and peak memory.
# An optional argument sets the number of runs of each (default 15).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESMORA_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target tesmora_probed minimal_window >/dev/null
python3 bench/startup_bench.py build-bench/tests/tesmora_probed build-bench/bench/minimal_window "${1:-15}"
