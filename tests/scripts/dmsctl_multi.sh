#!/usr/bin/env bash
# dmsctl multi explain and roundtrip. Usage: dmsctl_multi.sh path/to/dmsctl
set -u
dmsctl=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
fail() { echo "FAIL: $*"; exit 1; }

out=$("$dmsctl" multi explain '[pt30o][pb0,0,0][jp3][fo2]HELLO[np][pt20o5][g1,1,1]') || fail "explain"
[ "$(printf '%s\n' "$out" | grep -c '^page ')" -eq 2 ] || fail "two pages expected: $out"
printf '%s\n' "$out" | grep -q '^  text "HELLO" font 2 ' || fail "text element: $out"
printf '%s\n' "$out" | grep -q '^  picture 1 at 1,1 ' || fail "picture: $out"
json=$("$dmsctl" --json multi explain '[tr1,1,100,16][jl3]AB[g5,1,20]') || fail "explain --json"
printf '%s\n' "$json" | grep -q '"element": "textRectangle"' || fail "json rectangle: $json"
printf '%s\n' "$json" | grep -q '"text": "AB"' || fail "json text: $json"
[ "$("$dmsctl" multi roundtrip '[fo2]AB[nl5]CD')" = '[pt60o][pb0,0,0][fo2]AB[nl5]CD' ] || fail "roundtrip"
[ "$("$dmsctl" multi roundtrip '[g1,1,1]XY')" = '[pt60o][pb0,0,0][g1,1,1]' ] || fail "dropped text kept"
"$dmsctl" --json multi roundtrip '[pt30o][pb0,0,0][jp3][fo2]HELLO' | grep -q '"same": true' || fail "json roundtrip"
"$dmsctl" --json multi explain "$(printf 'A\xff[[')" >/dev/null || fail "bytes that are not UTF-8"
"$dmsctl" multi roundtrip '[mvcl1,1,1,[fo2' >/dev/null || fail "unclosed tag"
err=$("$dmsctl" multi explain 2>&1 >/dev/null) && fail "explain without text accepted"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "missing argument printed: $err"

# The faithful reading beside the documented one.
out=$("$dmsctl" multi roundtrip --faithful '[g1,1,1]XY') || fail "roundtrip --faithful"
[ "$out" = "$(printf 'documented: [pt60o][pb0,0,0][g1,1,1]   (shows differently)\nfaithful:   [pt60o]XY[g1,1,1]')" ] ||
  fail "roundtrip --faithful printed: $out"
"$dmsctl" --json multi roundtrip --faithful '[cf3]A[sc2]B[/sc]' | tr -d ' \n' |
  grep -q '"faithful":{"same":false,"showsSame":true,"written":"\[pt60o\]\[cf3\]A\[sc2\]B\[/sc\]"}' ||
  fail "json roundtrip --faithful"
out=$("$dmsctl" multi explain --faithful '[g1]XY') || fail "explain --faithful"
[ "$(printf '%s\n' "$out" | grep -c 'text "XY"')" -eq 1 ] || fail "faithful text missing or doubled: $out"
[[ "$out" == "documented reading:"*"faithful reading:"* ]] || fail "explain --faithful headings: $out"
[ -e dmsctl-sign.json ] && fail "multi opened a sign"

# message get: the documented reading drops a justification inside a line,
# the faithful one (flag or environment) keeps it in the text.
"$dmsctl" -q message put changeable 5 'A[jl2]B' >/dev/null || fail "message put"
"$dmsctl" -q message get doc.xml || fail "message get"
grep -q 'text="A"' doc.xml || fail "documented reading changed: $(cat doc.xml)"
grep -q 'text="A\[jl2\]B"' doc.xml && fail "documented reading kept the tag"
"$dmsctl" -q message get --faithful kept.xml || fail "message get --faithful"
grep -q 'text="A\[jl2\]B"' kept.xml || fail "faithful reading lost the tag: $(cat kept.xml)"
DMSCONTENT_MULTI_READING=faithful "$dmsctl" -q message get env.xml || fail "message get (environment)"
cmp -s kept.xml env.xml || fail "the environment did not choose the faithful reading"
echo "dmsctl multi ok"
