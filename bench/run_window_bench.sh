#!/usr/bin/env bash
# Builds the window-building benchmark (Release, in build-bench/) and prints
# the median time of each way of building the window and their ratio.
# Arguments go on to the benchmark binary (e.g. --benchmark_repetitions=10).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESMORA_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target window_build_bench >/dev/null
binary=build-bench/bench/window_build_bench
[ -x "$binary" ] || { echo "no $binary: is libbenchmark-dev installed?" >&2; exit 1; }

out=$(QT_QPA_PLATFORM=offscreen "$binary" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_color=false "$@" 2>/dev/null)
echo "$out"
echo
echo "$out" | awk '
  /^WindowFromStreams_median/  { streams = $2; unit = $3 }
  /^WindowInDirectCode_median/ { direct = $2 }
  END {
    if (!streams || !direct) { print "no medians in the output" > "/dev/stderr"; exit 1 }
    printf "from streams: %s %s  direct: %s %s  ratio: %.2f  (%d cores, offscreen, not shown)\n",
           streams, unit, direct, unit, streams / direct, '"$(nproc)"'
  }'
