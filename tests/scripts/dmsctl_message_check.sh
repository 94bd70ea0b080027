#!/usr/bin/env bash
# dmsctl message check: the example documents give their MULTI texts; bad
# documents give one line with the result code of the first failure.
# Usage: dmsctl_message_check.sh path/to/dmsctl path/to/examples/messages
set -u
dmsctl=$1
examples=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
export TZ=UTC0
fail() { echo "FAIL: $*"; exit 1; }

"$dmsctl" sign new >/dev/null || fail "sign new"

# Failures first: they do not depend on the MULTI writer.
expect_failure() {  # file, expected text of the one stderr line
  local err rc
  err=$("$dmsctl" message check "$1" 2>&1 >/dev/null)
  rc=$?
  [ $rc -eq 1 ] || fail "$1 exited $rc"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "$1 printed: $err"
  [[ "$err" == *"$2"* ]] || fail "$1: expected '$2' in: $err"
}
expect_failure missing.xml "reading missing.xml: 32513"
echo "not xml" > notxml.xml
expect_failure notxml.xml ": 32513"
echo '<Messages><Event/></Messages>' > root.xml
expect_failure root.xml ": 32519"
echo '<DmsMessage><Message number="1"/></DmsMessage>' > noevent.xml
expect_failure noevent.xml ": 32519"
echo '<DmsMessage><Event/><Message number="1" type="changeable" beacon="yes" pixelService="0" duration="0"
 runTimePriority="1" owner="x"/></DmsMessage>' > beacon.xml
expect_failure beacon.xml ": 32520"
echo '<DmsMessage><Event><Activate type="changeable"/></Event></DmsMessage>' > event.xml
expect_failure event.xml ": 32518"

# The examples, with the exact MULTI of each message.
out=$("$dmsctl" message check "$examples/text.xml") || fail "text.xml: $out"
expected='1 changeable [pt30o][pb0,0,0][jp3][jl2][fo2]HELLO[nl1][jl3]DRIVE SAFE[f1][hc41][np][pt20o5][pb0,0,0][flt05o05][cf255,255,0][fo1]NEXT EXIT[/fl]
2 volatile [pt60o][pb0,0,255][mvcl100,4,1,[fo2]ABC]'
[ "$out" == "$expected" ] || fail "text.xml printed: $out"
out=$("$dmsctl" message check "$examples/graphics.xml") || fail "graphics.xml: $out"
expected='3 changeable [pt40o][pb0,0,0][fo1]ROAD WORK[g2,1,1][cr1,20,50,10,0,255,0][tr60,1,100,30][jp2][jl4][sc2]5 KM[tdc7,60,40,40,8]
4 changeable [pt40o][pb0,0,0][mvl4r120,2,3,SLOW]'
[ "$out" == "$expected" ] || fail "graphics.xml printed: $out"
"$dmsctl" --json message check "$examples/graphics.xml" | grep -q '"multi": "\[pt40o\]\[pb0,0,0\]\[mvl4r120,2,3,SLOW\]"' \
  || fail "json output"

# A sign with a short MULTI limit refuses the long message.
"$dmsctl" --sign short.json sign new >/dev/null || fail "short sign"
sed -i 's/"maxMultiLength": *[0-9]*/"maxMultiLength": 40/' short.json
grep -q '"maxMultiLength": 40' short.json || fail "limit not patched"
err=$("$dmsctl" --sign short.json message check "$examples/text.xml" 2>&1 >/dev/null)
[[ "$err" == *"message 1 (changeable): 32527 "* ]] || fail "short sign: $err"
echo "message check ok"
