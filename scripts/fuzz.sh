#!/usr/bin/env bash
# A longer fuzzing campaign: builds the libFuzzer targets with clang and runs each for
# SECONDS (default 600) on both cores' worth of jobs. New inputs go to build/fuzz/fuzz-work;
# a crash leaves its input there (crash-*): fix the fault, then copy the input into
# fuzz/corpus/<target>/ as a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DORVANE_FUZZ=ON >/dev/null
cmake --build build/fuzz -j2
for target in build/fuzz/fuzz/fuzz_*; do
  name=${target##*/fuzz_}
  [[ -d fuzz/corpus/$name ]] || continue  # a target that is no more, left in an old tree
  work=build/fuzz/fuzz-work/$name
  mkdir -p "$work/corpus"
  echo "== $name: $seconds s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/" \
    "$work/corpus" "fuzz/corpus/$name" 2>&1 | grep -E '^stat::(number_of_executed_units|peak_rss_mb)|ERROR|SUMMARY' || true
done
