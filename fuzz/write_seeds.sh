#!/usr/bin/env bash
# Writes the fuzz target's seeds anew into fuzz/corpus/ from fuzz/seeds.h,
# after a change to the seeds or to the encoder; commit what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target write_fuzz_seeds >/dev/null
build/tests/write_fuzz_seeds fuzz/corpus
git status --short fuzz/corpus
