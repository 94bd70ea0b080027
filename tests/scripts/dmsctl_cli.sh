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
err=$("$dmsctl" --sign nodir/x.json clock get 2>&1 >/dev/null) && fail "an unsaved sign exited 0"
[[ "$err" == *"cannot save nodir/x.json"* ]] || fail "unsaved sign not reported: $err"
# Network signs: a name that cannot be used is refused with its reason.
err=$("$dmsctl" --sign 'snmp://x@127.0.0.1:70000' clock get 2>&1 >/dev/null) && fail "bad snmp port accepted"
[[ "$err" == *"bad port"* ]] || fail "bad snmp name not explained: $err"

# Message rows: write and activate, read back, refused text, erase.
"$dmsctl" -q message put changeable 3 '[jp3][fo1]HELLO' --activate >/dev/null || fail "message put"
"$dmsctl" --json message list | grep -q '"event": "activate"' || fail "activated row not listed"
"$dmsctl" message show changeable 3 | grep -q '^\[jp3\]\[fo1\]HELLO$' || fail "message show"
err=$("$dmsctl" -q message put volatile 2 '[zz]X' 2>&1 >/dev/null) && fail "bad MULTI accepted"
[[ "$err" == *"unsupportedTag"* ]] || fail "refusal not explained: $err"
"$dmsctl" -q events clear >/dev/null || fail "events clear"
"$dmsctl" -q message delete changeable 3 >/dev/null || fail "message delete"
"$dmsctl" --json message list | grep -q '"number": 3' && fail "row 3 still listed"

# Bad input: one line on stderr, non-zero exit, no crash.
for args in "bogus" "clock" "clock set" "clock set 2026-13" "clock set 2026-01-01 --zone 40" \
            "clock set 2026-01-01 --offset +02:15" "sign new --max-changeable -4 --force" "--sign" \
            "message show weird 1" "message put changeable 0 X" "message delete changeable"; do
  err=$("$dmsctl" $args 2>&1 >/dev/null)
  rc=$?
  [ $rc -ne 0 ] && [ $rc -lt 128 ] || fail "'$args' exited $rc"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "'$args' printed: $err"
done
echo "not json" > broken.json
"$dmsctl" --sign broken.json clock get >/dev/null 2>&1 && fail "broken sign file accepted"
echo "dmsctl ok"
