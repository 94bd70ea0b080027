#!/usr/bin/env bash
# Runs every benchmark with its figures. Usage: bench.sh build [corpus]
set -euo pipefail
build=$1
for b in $(find "$build/bench" -maxdepth 1 -type f -name 'bench_*' -perm -u+x | sort); do
  echo "== $(basename "$b")"
  "$b" "${@:2}"
done
