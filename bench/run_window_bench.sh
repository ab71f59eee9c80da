#!/usr/bin/env bash
# Builds the window-building benchmark (Release, in build-bench/) and runs it
# in rounds (default 5; ROUNDS=n to change). Each round measures both ways of
# building the window back to back, so that a change in the machine's load
# falls on both; it prints each round's medians and ratio, then the median
# of the rounds with the least and the greatest value, so that the spread of
# the figures stands beside them. Arguments go on to the benchmark binary.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESMORA_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target window_build_bench >/dev/null
binary=build-bench/bench/window_build_bench
[ -x "$binary" ] || { echo "no $binary: is libbenchmark-dev installed?" >&2; exit 1; }

rounds=${ROUNDS:-5}
for ((round = 1; round <= rounds; round++)); do
  QT_QPA_PLATFORM=offscreen "$binary" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_color=false "$@" 2>/dev/null |
    awk -v round="$round" '
      /^WindowFromStreams_median/  { streams = $2; unit = $3 }
      /^WindowInDirectCode_median/ { direct = $2 }
      END {
        if (!streams || !direct) { print "no medians in the output" > "/dev/stderr"; exit 1 }
        printf "round %d: from streams %s %s, direct %s %s, ratio %.2f\n", round, streams, unit, direct, unit, streams / direct
      }'
done | tee /dev/stderr | awk -v cores="$(nproc)" '
  { streams[NR] = $5; direct[NR] = $8; ratio[NR] = $11; unit = $6; sub(",", "", unit) }
  function sort(a, n,   i, j, t) { for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t } }
  function median(a, n) { return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
  END {
    n = NR; sort(streams, n); sort(direct, n); sort(ratio, n)
    printf "\nover %d rounds (%d cores, offscreen, not shown), median [least, greatest]:\n", n, cores
    printf "  from streams %.0f %s [%.0f, %.0f]\n", median(streams, n), unit, streams[1], streams[n]
    printf "  direct       %.0f %s [%.0f, %.0f]\n", median(direct, n), unit, direct[1], direct[n]
    printf "  ratio        %.2f [%.2f, %.2f]\n", median(ratio, n), ratio[1], ratio[n]
  }'
