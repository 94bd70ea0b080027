#!/usr/bin/env bash
# Runs every libFuzzer target on a copy of its seed corpus, two at a time,
# sharing TOTAL seconds of wall time among them (each gets 2 * TOTAL / N).
# Usage: fuzz-smoke.sh build-fuzz TOTAL
set -uo pipefail
fuzz_build=$1
total=${2:-300}
root=$(cd "$(dirname "$0")/.." && pwd)
targets=$(find "$fuzz_build/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
if [ -z "$targets" ]; then echo "fuzz: no targets built"; exit 0; fi
count=$(printf '%s\n' $targets | wc -l)
seconds=$(( 2 * total / count ))
[ "$seconds" -ge 10 ] || seconds=10
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_one() {
  local bin=$1 name corpus
  name=$(basename "$bin" | sed 's/^fuzz_//')
  corpus="$work/$name"
  mkdir -p "$corpus"
  [ -d "$root/fuzz/corpus/$name" ] && cp -r "$root/fuzz/corpus/$name/." "$corpus/"
  if "$bin" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       >"$work/$name.log" 2>&1; then
    echo "fuzz $name: clean for ${seconds}s ($(grep -m1 -oE 'stat::number_of_executed_units: *[0-9]+' "$work/$name.log" | grep -oE '[0-9]+$') runs)"
  else
    echo "fuzz $name: FAILED"; tail -n 40 "$work/$name.log"; return 1
  fi
}
export -f run_one
export work seconds root
printf '%s\n' $targets | xargs -P 2 -I{} bash -c 'run_one "$@"' _ {}
