#!/usr/bin/env bash
# Checks that every benchmark runs (briefly, on its own small corpus);
# figures come from scripts/bench.sh.
set -uo pipefail
build=$1
benches=$(find "$build/bench" -maxdepth 1 -type f -name 'bench_*' -perm -u+x 2>/dev/null | sort)
[ -n "$benches" ] || { echo "bench: none built"; exit 0; }
for b in $benches; do
  "$b" --benchmark_min_time=0.01 >/dev/null || { echo "bench $(basename "$b") failed"; exit 1; }
  echo "bench $(basename "$b"): runs"
done
