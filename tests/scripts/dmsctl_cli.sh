#!/usr/bin/env bash
# dmsctl end to end: a sign file, the clock, and the refusals of bad input.
# Usage: dmsctl_cli.sh path/to/dmsctl
set -u
dmsctl=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
export TZ=UTC0
fail() { echo "FAIL: $*"; exit 1; }

"$dmsctl" sign new --max-changeable 50 >/dev/null || fail "sign new"
"$dmsctl" sign new >/dev/null 2>&1 && fail "sign new overwrote without --force"
grep -q '"maxChangeable": 50' dmsctl-sign.json || fail "limit not stored"
"$dmsctl" clock set 2026-12-06 10:20:30 --offset +05:30 >/dev/null || fail "clock set"
out=$("$dmsctl" clock get) || fail "clock get"
[[ "$out" == "2026-12-06 10:20:"* && "$out" == *"zone 26 (UTC+05:30)" ]] || fail "clock get printed: $out"
"$dmsctl" --json clock get | grep -q '"zone": 26' || fail "json clock"
"$dmsctl" --sign other.json clock get >/dev/null || fail "second sign file"
[ -f other.json ] || fail "sign file not created on first use"

# Bad input: one line on stderr, non-zero exit, no crash.
for args in "bogus" "clock" "clock set" "clock set 2026-13" "clock set 2026-01-01 --zone 40" \
            "clock set 2026-01-01 --offset +02:15" "sign new --max-changeable -4 --force" "--sign"; do
  err=$("$dmsctl" $args 2>&1 >/dev/null)
  rc=$?
  [ $rc -ne 0 ] && [ $rc -lt 128 ] || fail "'$args' exited $rc"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "'$args' printed: $err"
done
echo "not json" > broken.json
"$dmsctl" --sign broken.json clock get >/dev/null 2>&1 && fail "broken sign file accepted"
echo "dmsctl ok"
