#!/usr/bin/env bash
# dmsctl sim serve driven by the net-snmp command tools over loopback: walks,
# the message, font and graphic status machines, activation, schedules,
# errors per SNMP version, v3 authPriv, refused credentials, all-or-nothing
# SETs, and the state file kept across SIGTERM and SIGKILL.
# Usage: dmsctl_sim_serve.sh path/to/dmsctl
set -u
dmsctl=$1
dir=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$dir"; }
trap cleanup EXIT
# The tools keep nothing of the user's and read no configuration.
export SNMP_PERSISTENT_DIR=$dir/tools SNMPCONFPATH=$dir/tools MIBS=
fail() { echo "FAIL: $*"; [ -f "$dir/serve.log" ] && tail -n 20 "$dir/serve.log"; exit 1; }

D=.1.3.6.1.4.1.1206.4.2.3
G=.1.3.6.1.4.1.1206.4.2.6
sign=$dir/sign.json
port=

# Serves $sign on a free loopback port; sets $pid and $port.
listen=127.0.0.1:0
start() {
  "$dmsctl" --sign "$sign" -v sim serve --listen "$listen" --v3-user ops --v3-auth SHA:opsauthpass \
    --v3-priv AES:opsprivpass "$@" >"$dir/serve.log" 2>&1 &
  pid=$!
  port=
  for _ in $(seq 100); do
    port=$(sed -n 's/.* port \([0-9][0-9]*\) .*/\1/p;s/.*"port":\([0-9][0-9]*\).*/\1/p' "$dir/serve.log" | head -n 1)
    [ -n "$port" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "sim serve ended at start: $(cat "$dir/serve.log")"
    sleep 0.1
  done
  fail "sim serve did not start"
}
stop() { kill -TERM "$pid"; wait "$pid"; local rc=$?; pid=; return $rc; }

T=(-t 1 -r 1)
at() { echo "127.0.0.1:$port"; }
v1get() { snmpget -v1 -c public "${T[@]}" -On -Oqv "$(at)" "$@" 2>&1; }
v2get() { snmpget -v2c -c public "${T[@]}" -On -Oqv "$(at)" "$@" 2>&1; }
v1set() { snmpset -v1 -c private "${T[@]}" -On -Oq "$(at)" "$@" 2>&1; }
v2set() { snmpset -v2c -c private "${T[@]}" -On -Oq "$(at)" "$@" 2>&1; }
v3=(-v3 -u ops -l authPriv -a SHA -A opsauthpass -x AES -X opsprivpass)
expect() { [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"; }
has() { [[ "$2" == *"$3"* ]] || fail "$1: expected '$3' in: $2"; }

start
has "start line" "$(cat "$dir/serve.log")" "on udp 127.0.0.1 port $port (SNMP v1, v2c, v3)"

# Walks: every table and scalar of both roots, v2c GETBULK and v1 GETNEXT.
walk=$(snmpbulkwalk -v2c -c public "${T[@]}" -On "$(at)" $D 2>&1) || fail "bulkwalk dms: $walk"
for oid in $D.1.3.0 $D.2.4.0 $D.2.7.0 $D.3.2.1.8.8 $D.3.4.1.3.1.1 $D.4.16.0 $D.4.14.0 $D.5.8.1.9.3.100 \
           $D.5.8.1.3.7.255 $D.5.9.0 $D.6.1.0 $D.6.3.0 $D.6.24.0 $D.8.2.1.2.32 $D.9.7.1.0 $D.10.6.1.10.16 \
           $D.10.7.1.3.16.64; do
  grep -q "^$oid = " <<<"$walk" || fail "walk of dms lacks $oid"
done
walk=$(snmpwalk -v1 -c public "${T[@]}" -On "$(at)" $G 2>&1) || fail "walk global: $walk"
for oid in $G.1.2.0 $G.1.3.1.3.1 $G.3.1.0 $G.3.3.2.1.5.32 $G.3.3.5.1.5.16.16 $G.3.5.0; do
  grep -q "^$oid = " <<<"$walk" || fail "walk of global lacks $oid"
done
expect "font table rows x columns (v1 walk)" "$(snmpwalk -v1 -c public "${T[@]}" "$(at)" $D.3.2 | wc -l)" 64

# A message through the NTCIP sequence, then activated.
expect "modifyReq" "$(v2set $D.5.8.1.9.3.1 i 6)" "$D.5.8.1.9.3.1 6"
expect "modifying" "$(v2get $D.5.8.1.9.3.1)" 2
out=$(v2set $D.5.8.1.3.3.1 s '[jp3]TEST [fl]Flashing[/fl]' $D.5.8.1.4.3.1 s ops $D.5.8.1.6.3.1 i 0 \
      $D.5.8.1.7.3.1 i 0 $D.5.8.1.8.3.1 i 5) || fail "columns: $out"
v2set $D.5.8.1.9.3.1 i 7 >/dev/null || fail "validateReq"
expect "valid" "$(v2get $D.5.8.1.9.3.1)" 4
expect "CRC" "$(v2get $D.5.8.1.5.3.1)" 38393
expect "owner" "$(v2get $D.5.8.1.4.3.1)" '"ops"'
v2set $D.6.3.0 x FFFF0503000195F97F000001 >/dev/null || fail "activation"
expect "activate error after a good activation" "$(v2get $D.6.17.0)" 2
expect "activation code read back" "$(v2get $D.6.3.0)" '"FF FF 05 03 00 01 95 F9 7F 00 00 01 "'
has "activation with a wrong CRC" "$(v2set $D.6.3.0 x FFFF0503000112347F000001)" "inconsistentValue"
expect "activate error: messageCRC" "$(v2get $D.6.17.0)" 7

# A MULTI error is reported with its syntax error.
v2set $D.5.8.1.9.4.2 i 6 >/dev/null && v2set $D.5.8.1.3.4.2 s '[zz1]X' >/dev/null && v2set $D.5.8.1.9.4.2 i 7 >/dev/null ||
  fail "bad message sequence"
expect "message in error" "$(v2get $D.5.8.1.9.4.2)" 5
expect "validate error: syntaxMULTI" "$(v2get $D.5.9.0)" 5
expect "syntax error: unsupportedTag" "$(v2get $D.6.18.0)" 3

# A font through its status machine.
v2set $D.3.2.1.8.3 i 7 >/dev/null || fail "font modifyReq"
out=$(v2set $D.3.2.1.2.3 i 3 $D.3.2.1.3.3 s tiny $D.3.2.1.4.3 i 5 $D.3.2.1.5.3 i 1 $D.3.2.1.6.3 i 1) ||
  fail "font columns: $out"
out=$(v2set $D.3.4.1.2.3.65 i 3 $D.3.4.1.3.3.65 x FFFE) || fail "character: $out"
v2set $D.3.2.1.8.3 i 8 >/dev/null || fail "font readyForUseReq"
expect "font ready for use" "$(v2get $D.3.2.1.8.3)" 4
expect "character bitmap" "$(v2get $D.3.4.1.3.3.65)" '"FF FE "'
[ "$(v2get $D.3.2.1.7.3)" != 0 ] || fail "font version ID not calculated"

# A graphic through its status machine: 8 x 2 monochrome pixels, one block.
v2set $D.10.6.1.10.1 i 7 >/dev/null || fail "graphic modifyReq"
out=$(v2set $D.10.6.1.2.1 i 1 $D.10.6.1.3.1 s arrow $D.10.6.1.4.1 i 2 $D.10.6.1.5.1 i 8 $D.10.6.1.6.1 i 1 \
      $D.10.6.1.8.1 i 0 $D.10.7.1.3.1.1 x A55A) || fail "graphic columns: $out"
v2set $D.10.6.1.10.1 i 8 >/dev/null || fail "graphic readyForUseReq"
expect "graphic ready for use" "$(v2get $D.10.6.1.10.1)" 4
expect "graphic block" "$(v2get $D.10.7.1.3.1.1)" '"A5 5A "'

# A schedule row, a day plan event and an action row.
out=$(v2set $G.3.3.2.1.2.1 i 4094 $G.3.3.2.1.3.1 i 62 $G.3.3.2.1.5.1 i 1) || fail "schedule row: $out"
out=$(v2set $G.3.3.5.1.3.1.1 i 7 $G.3.3.5.1.4.1.1 i 30 $G.3.3.5.1.5.1.1 o $D.8.2.1.1.1) || fail "day plan: $out"
v2set $D.8.2.1.2.1 x 03000195F9 >/dev/null || fail "action row"
expect "schedule day plan" "$(v2get $G.3.3.2.1.5.1)" 1
expect "event action" "$(v2get $G.3.3.5.1.5.1.1)" "$D.8.2.1.1.1"
expect "action code" "$(v2get $D.8.2.1.2.1)" '"03 00 01 95 F9 "'
expect "clock differential" "$(v2set $G.3.5.0 i -18000)" "$G.3.5.0 -18000"

# Errors as signs give them: v1 ...
has "v1 read-only" "$(v1set $D.5.8.1.5.3.1 i 1)" "readOnly"
has "v1 wrong type" "$(v1set $D.5.8.1.9.3.2 s x)" "badValue"
has "v1 refused in state" "$(v1set $D.5.8.1.3.3.2 s X)" "genErr"
has "v1 unknown object" "$(v1get $D.5.8.1.9.3.999)" "noSuchName"
# ... and v2c.
has "v2c read-only" "$(v2set $D.5.8.1.5.3.1 i 1)" "notWritable"
has "v2c wrong type" "$(v2set $D.5.8.1.9.3.2 s x)" "wrongType"
has "v2c wrong length" "$(v2set $D.6.12.0 x 07000100)" "wrongLength"
has "v2c wrong value" "$(v2set $D.5.8.1.9.3.2 i 99)" "wrongValue"
has "v2c refused in state" "$(v2set $D.5.8.1.3.3.2 s X)" "inconsistentValue"
has "v2c row that cannot exist" "$(v2set $D.5.8.1.9.3.999 i 6)" "noCreation"
has "v2c no such instance" "$(v2get $D.5.8.1.9.3.999)" "No Such Instance"

# A SET changes all of its objects or none.
has "one bad varbind" "$(v2set $D.5.8.1.9.3.2 i 6 $D.5.8.1.6.3.2 i 9)" "wrongValue"
expect "row left as it was" "$(v2get $D.5.8.1.9.3.2)" 1
# ... and why it was refused is still there to read.
v2set $D.6.3.0 x FFFF0503000195F97F000001 >/dev/null || fail "activation"
expect "activate error cleared" "$(v2get $D.6.17.0)" 2
has "refused activation among others" "$(v2set $D.6.13.0 i 21 $D.6.3.0 x FFFF0503000143217F000001)" "inconsistentValue"
expect "time left as it was" "$(v2get $D.6.13.0)" 0
expect "activate error kept" "$(v2get $D.6.17.0)" 7
expect "refused message kept" "$(v2get $D.6.24.0)" '"03 00 01 43 21 "'

# v3 authPriv reads and writes; wrong credentials change nothing.
expect "v3 get" "$(snmpget "${v3[@]}" "${T[@]}" -Oqv "$(at)" $D.5.8.1.4.3.1 2>&1)" '"ops"'
out=$(snmpset "${v3[@]}" "${T[@]}" -Oqv "$(at)" $D.6.13.0 i 15 2>&1) || fail "v3 set: $out"
expect "v3 set read back" "$(v2get $D.6.13.0)" 15
has "v3 wrong key" "$(snmpset -v3 -u ops -l authPriv -a SHA -A wrongpassword -x AES -X opsprivpass "${T[@]}" \
  "$(at)" $D.6.13.0 i 99 2>&1)" "Authentication failure"
has "v3 unknown user" "$(snmpget -v3 -u eve -l authPriv -a SHA -A opsauthpass -x AES -X opsprivpass "${T[@]}" \
  "$(at)" $D.6.13.0 2>&1)" "Unknown user name"
has "wrong community" "$(snmpset -v2c -c guess -t 0.3 -r 0 "$(at)" $D.6.13.0 i 99 2>&1)" "Timeout"
has "read-only community" "$(snmpset -v2c -c public "${T[@]}" "$(at)" $D.6.13.0 i 99 2>&1)" "noAccess"
expect "nothing changed" "$(v2get $D.6.13.0)" 15

# One line per SET with -v.
has "SET log" "$(cat "$dir/serve.log")" "SET dmsMessageStatus.3.1 = 6 -> noError"
has "refused SET log" "$(cat "$dir/serve.log")" "SET dmsMessageCRC.3.1 = 1 -> notWritable"

# Saved within a second while running; SIGTERM saves and ends cleanly.
sleep 1.3
grep -q '"name": "tiny"' "$sign" || fail "the font was not saved while running"
v2set $D.6.13.0 i 44 >/dev/null
stop || fail "SIGTERM exit code"
has "stop line" "$(cat "$dir/serve.log")" "state saved in $sign"
grep -q '"timeCommLoss": 44' "$sign" || grep -q '44' "$sign" || fail "SIGTERM did not save"

# SIGKILL loses at most the last second.
start --json-log
has "json start line" "$(head -n 1 "$dir/serve.log")" '"event":"start"'
expect "state kept across restarts" "$(v2get $D.3.2.1.3.3)" '"tiny"'
v2set $D.3.2.1.8.4 i 7 >/dev/null && v2set $D.3.2.1.3.4 s kept >/dev/null || fail "font row 4"
has "json SET line" "$(cat "$dir/serve.log")" '"name":"fontName.4","oid":"'
sleep 1.3
kill -9 "$pid"; wait "$pid" 2>/dev/null; pid=
start
expect "change kept across SIGKILL" "$(v2get $D.3.2.1.3.4)" '"kept"'
stop

# IPv6 loopback, where the machine has one.
if ip -6 addr show lo 2>/dev/null | grep -q '::1'; then
  listen='[::1]:0'
  start
  expect "get over IPv6" "$(snmpget -v2c -c public "${T[@]}" -Oqv "udp6:[::1]:$port" $D.3.2.1.3.4 2>&1)" '"kept"'
  stop
  listen=127.0.0.1:0
fi

# A state file that is not a sign is reported and left alone.
printf '{"format": "something else"' >"$dir/bad.json"
cp "$dir/bad.json" "$dir/bad.copy"
out=$("$dmsctl" --sign "$dir/bad.json" sim serve --listen 127.0.0.1:0 2>&1)
expect "exit code of an unreadable state" "$?" 3
has "message" "$out" "not a sign state file"
cmp -s "$dir/bad.json" "$dir/bad.copy" || fail "the bad state file was changed"
out=$("$dmsctl" --sign "$dir/no/such/folder/sign.json" sim serve --listen 127.0.0.1:0 2>&1)
expect "exit code of an unwritable state" "$?" 4
has "message" "$out" "cannot write sign state"
out=$("$dmsctl" --sign "$sign" sim serve --listen 127.0.0.1:65536 2>&1)
expect "exit code of a bad port" "$?" 2
echo "sim serve: all checks passed"
