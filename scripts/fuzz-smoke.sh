#!/usr/bin/env bash
# Runs every libFuzzer target on a copy of its seed corpus, two at a time,
# sharing TOTAL seconds of wall time among them. A target's share follows
# its weight (FUZZ_WEIGHTS, "name=weight ..."; 1 when not named): with N
# targets of weights w summing to S, a target of weight w gets w x u seconds,
# u = 2 x TOTAL / (S + largest w). Heaviest first, two at a time, the run
# then ends within TOTAL (each lane takes the next target when it is free:
# the busier lane ends at most S x u / 2 + largest x u / 2).
# A target with a dictionary (fuzz/NAME.dict) runs with it.
# Usage: fuzz-smoke.sh build-fuzz TOTAL
set -uo pipefail
fuzz_build=$1
total=${2:-300}
weights=${FUZZ_WEIGHTS:-render=2}
root=$(cd "$(dirname "$0")/.." && pwd)
targets=$(find "$fuzz_build/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
if [ -z "$targets" ]; then echo "fuzz: no targets built"; exit 0; fi

weight_of() {
  local name w
  name=$(basename "$1" | sed 's/^fuzz_//')
  for w in $weights; do
    [ "${w%%=*}" = "$name" ] && { echo "${w#*=}"; return; }
  done
  echo 1
}

sum=0
largest=1
list=""
for t in $targets; do
  w=$(weight_of "$t")
  sum=$((sum + w))
  [ "$w" -gt "$largest" ] && largest=$w
  list+="$w $t"$'\n'
done
unit=$(( 2 * total / (sum + largest) ))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_one() {
  local weight=$1 bin=$2 name corpus seconds dict=()
  seconds=$(( weight * unit ))
  [ "$seconds" -ge 10 ] || seconds=10
  name=$(basename "$bin" | sed 's/^fuzz_//')
  corpus="$work/$name"
  mkdir -p "$corpus"
  [ -d "$root/fuzz/corpus/$name" ] && cp -r "$root/fuzz/corpus/$name/." "$corpus/"
  [ -f "$root/fuzz/$name.dict" ] && dict=(-dict="$root/fuzz/$name.dict")
  if "$bin" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       >"$work/$name.log" 2>&1; then
    echo "fuzz $name: clean for ${seconds}s ($(grep -m1 -oE 'stat::number_of_executed_units: *[0-9]+' "$work/$name.log" | grep -oE '[0-9]+$') runs)"
  else
    echo "fuzz $name: FAILED"; tail -n 40 "$work/$name.log"; return 1
  fi
}
export -f run_one
export work unit root
printf '%s' "$list" | sort -k1,1nr -k2,2 | xargs -P 2 -L 1 bash -c 'run_one "$@"' _
