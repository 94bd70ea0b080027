#!/usr/bin/env bash
# dmsctl multi check: the simulated sign's verdict, its position and the exit
# codes. Usage: dmsctl_multi_check.sh path/to/dmsctl
set -u
dmsctl=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
fail() { echo "FAIL: $*"; exit 1; }

# check EXPECTED_RC EXPECTED_OUTPUT ARGS...: output and exit code exactly.
check() {
    local rc=$1 want=$2
    shift 2
    local out
    out=$("$dmsctl" "$@" 2>/dev/null)
    local got=$?
    [ "$got" -eq "$rc" ] || fail "$*: exit $got, wanted $rc"
    [ "$out" = "$want" ] || fail "$*: printed [$out], wanted [$want]"
}

# The default sign: a new simulated sign.
check 0 'valid' multi check '[pt30o][pb0,0,0][jp3][fo2]HELLO[np][flt5o5]A[/fl]'
check 1 "$(printf 'fontNotDefined (6) at 12\n[jp3][fo1]AB[fo9]C\n            ^')" multi check '[jp3][fo1]AB[fo9]C'
check 1 "$(printf 'flashRegionError (10) at 1\nA[fl]B\n ^')" multi check 'A[fl]B'
check 1 "$(printf 'other (1) at 5\nAB[fo\n     ^')" multi check 'AB[fo'
check 1 "$(printf 'tagConflict (11) at 1\nA[jp4]B\n ^')" multi check 'A[jp4]B'
check 0 'valid' multi check '[jp2]A[nl][jp4]B'
# 5 x 7 characters 1 pixel apart: 17 on the 105 pixels of a line, 3 lines.
check 1 "$(printf 'textTooBig (5) at 17\nAAAAAAAAAAAAAAAAAA\n                 ^')" multi check 'AAAAAAAAAAAAAAAAAA'
check 1 "$(printf 'textTooBig (5) at 15\nA[nl]B[nl]C[nl]D\n               ^')" multi check 'A[nl]B[nl]C[nl]D'
out=$("$dmsctl" --json multi check 'ABC')
[ $? -eq 0 ] || fail "--json valid: exit code"
[ "$(printf '%s' "$out" | tr -d ' \n')" = '{"error":2,"name":"none","position":0,"valid":true}' ] || fail "--json valid: $out"
out=$("$dmsctl" --json multi check 'A[g9]')
[ $? -eq 1 ] || fail "--json refused: exit code"
[ "$(printf '%s' "$out" | tr -d ' \n')" = '{"error":15,"name":"graphicNotDefined","position":1,"valid":false}' ] ||
    fail "--json refused: $out"

# The sign of a state file: a monochrome sign of two pages with graphic 9.
cat > sign.json <<'JSON'
{"profile": {"colorScheme": 1, "maxNumberPages": 2}, "graphics": [{"row": 3, "number": 9, "height": 8, "width": 8}]}
JSON
cp sign.json before.json
check 1 "$(printf 'unsupportedTagValue (4) at 1\nA[cf255,0,0]\n ^')" multi check 'A[cf255,0,0]' --sign sign.json
check 0 'valid' --sign sign.json multi check 'A[cf1][g9]B[np]C'
check 1 "$(printf 'tooManyPages (12) at 6\nA[np]B[np]C\n      ^')" --sign sign.json multi check 'A[np]B[np]C'
check 0 'valid' multi check 'A[np]B[np]C'
cmp -s sign.json before.json || fail "the state file was changed"

# Usage errors: exit 2.
for args in "multi check" "multi check A --sign missing.json" "multi check A --sign snmp://127.0.0.1" \
            "multi check A B"; do
    # shellcheck disable=SC2086
    "$dmsctl" $args >/dev/null 2>&1
    rc=$?
    [ $rc -eq 2 ] || fail "$args: exit $rc, wanted 2"
done
echo 'not json' > bad.json
"$dmsctl" multi check A --sign bad.json >/dev/null 2>&1
[ $? -eq 2 ] || fail "an unreadable state file"
[ -e dmsctl-sign.json ] && fail "multi check created a sign"
[ -e missing.json ] && fail "multi check created the missing state file"
echo "dmsctl multi check ok"
