#!/usr/bin/env bash
# dmsctl fleet: one command against a list of simulated signs (state files
# only, no network): results in list order, a sign that fails, a sign that
# hangs, an interrupted run, and the refusals of bad lists and commands.
# Usage: dmsctl_fleet.sh path/to/dmsctl
set -u
dmsctl=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
fail() { echo "FAIL: $*"; exit 1; }
# Processes still running with this directory's hanging sign on their command line.
# ([s] keeps grep from finding itself.)
leftovers() { grep -l -e "--[s]ign=$dir/hang.json" /proc/[0-9]*/cmdline 2>/dev/null; }

for s in a b c d; do "$dmsctl" --sign $s.json sign new >/dev/null || fail "sign new $s"; done
"$dmsctl" -q --sign b.json message put changeable 7 'HELLO B' >/dev/null || fail "message put"
echo 'this is not a sign state' > junk.json
mkfifo hang.json  # opening it waits for a writer that never comes: a sign that never answers
cat > signs.csv <<'EOF'
# sign, label
junk.json,broken sign

a.json,North A
"b.json","B, ""quoted"", with a comma"
  c.json
EOF

# The broken sign comes first and stops nothing; both ways of giving the command.
for form in "-- message list" "message list"; do
  out=$("$dmsctl" fleet signs.csv -j 2 $form 2>err.txt)
  rc=$?
  [ $rc -eq 1 ] || fail "fleet ($form) exited $rc, not 1"
  [ "$(printf '%s\n' "$out" | wc -l)" -eq 5 ] || fail "header and 4 rows expected: $out"
  printf '%s\n' "$out" | sed -n 2p | grep -q '^broken sign .* failed (exit 1) .*not a sign state' ||
    fail "broken sign row: $out"
  printf '%s\n' "$out" | sed -n 3p | grep -q '^North A .* ok .* \[\]$' || fail "sign a row: $out"
  printf '%s\n' "$out" | sed -n 4p | grep -q '^B, "quoted", with a comma .* ok .*"multi":"HELLO B"' || fail "sign b row: $out"
  printf '%s\n' "$out" | sed -n 5p | grep -q '^c.json .* ok ' || fail "sign c row: $out"
  [ "$(cat err.txt)" = "dmsctl: 1 of 4 signs not ok" ] || fail "stderr off a terminal: $(cat err.txt)"
done
# Without --, the command's own options follow it in order.
printf 'd.json\n' > one.csv
"$dmsctl" fleet one.csv message put changeable 9 'Q' --owner fleetowner >/dev/null || fail "put through fleet"
"$dmsctl" --sign d.json message show changeable 9 --json | grep -q '"owner": "fleetowner"' ||
  fail "the command's options did not reach it"

# --json: valid JSON, 4 entries in list order, the children's output parsed.
"$dmsctl" --json fleet signs.csv -- message list >out.json 2>/dev/null
[ $? -eq 1 ] || fail "--json fleet exit code"
python3 - out.json <<'EOF' || fail "--json output"
import json, sys
d = json.load(open(sys.argv[1]))
assert [e["sign"] for e in d] == ["junk.json", "a.json", "b.json", "c.json"], d
assert [e["label"] for e in d] == ["broken sign", "North A", 'B, "quoted", with a comma', None], d
assert [e["result"] for e in d] == ["failed (exit 1)", "ok", "ok", "ok"], d
assert [e["exit"] for e in d] == [1, 0, 0, 0], d
assert "not a sign state" in d[0]["stderr"], d[0]
assert d[1]["stdout"] == [] and d[3]["stdout"] == [], d
assert [m["multi"] for m in d[2]["stdout"]] == ["HELLO B"], d[2]
assert all(isinstance(e["seconds"], float) and e["seconds"] >= 0 for e in d), d
EOF
"$dmsctl" --json fleet signs.csv -- --json sign show 2>/dev/null | python3 -c '
import json, sys; d = json.load(sys.stdin); assert d[1]["stdout"]["limits"]["maxChangeable"] > 0' ||
  fail "global options inside the command reach the child"

# A sign that never answers: reported as timeout after --timeout, the others
# still done, and no child left behind.
printf '%s\n' a.json "$dir/hang.json,stuck" c.json > slow.csv
start=$(date +%s)
out=$(timeout -k 5 20 "$dmsctl" fleet slow.csv --timeout 0.5 -- message list 2>/dev/null)
rc=$?
[ $rc -eq 1 ] || fail "timeout exit code $rc"
[ $(( $(date +%s) - start )) -lt 10 ] || fail "the timeout did not stop the sign"
printf '%s\n' "$out" | grep -q '^stuck .* timeout ' || fail "timeout row: $out"
[ "$(printf '%s\n' "$out" | grep -c ' ok ')" -eq 2 ] || fail "the other signs: $out"
[ -z "$(leftovers)" ] || fail "a timed out child still runs"

# Output is kept up to 64 KB per stream.
long=$(head -c 100000 /dev/zero | tr '\0' A)
"$dmsctl" --json fleet one.csv -- multi explain "$long" | python3 -c '
import json, sys; s = json.load(sys.stdin)[0]["stdout"]
assert isinstance(s, str) and s.endswith("(truncated)\n") and 65536 < len(s) < 65600, len(s)' ||
  fail "long output not cut"

# The list holds at most 10,000 signs: 10,000 run (here interrupted: the two
# running children stopped, the rest not run), 10,001 are refused at once.
for i in $(seq 10000); do echo "$dir/hang.json"; done > many.csv
timeout -k 5 20 "$dmsctl" fleet -j 2 many.csv -- message list >many.txt 2>/dev/null &
pid=$!
for i in $(seq 50); do [ "$(leftovers | wc -l)" -ge 2 ] && break; sleep 0.1; done
kill -INT $pid
wait $pid
rc=$?
[ $rc -eq 1 ] || fail "interrupted fleet exited $rc"
[ "$(grep -c ' interrupted ' many.txt)" -eq 2 ] || fail "running signs not reported interrupted"
[ "$(grep -c ' not run ' many.txt)" -eq 9998 ] || fail "the rest not reported as not run"
[ -z "$(leftovers)" ] || fail "an interrupted child still runs"
echo "$dir/hang.json" >> many.csv
err=$(timeout 20 "$dmsctl" fleet many.csv -- message list 2>&1 >/dev/null)
[ $? -eq 2 ] && [ "$err" = "dmsctl: many.csv: more than 10000 signs" ] || fail "10,001 signs: $err"

# Lines up to 4096 bytes (without the line end).
label=$(head -c 4089 /dev/zero | tr '\0' L)
printf 'a.json,%s\n' "$label" > at.csv
printf 'a.json,%s\r\n' "$label" > atcrlf.csv
printf 'a.json,%sL\n' "$label" > over.csv
"$dmsctl" fleet at.csv message list >/dev/null 2>&1 || fail "a 4096-byte line refused"
"$dmsctl" fleet atcrlf.csv message list >/dev/null 2>&1 || fail "a 4096-byte line with CR LF refused"

# Refusals: exit 2, one line, no sign touched.
: > empty.csv
printf '# nothing\n\n   \n' > comments.csv
printf '"a.json\n' > quote.csv
printf 'a.json,x,y\n' > three.csv
for args in "empty.csv message list" "comments.csv message list" "over.csv message list" \
            "quote.csv message list" "three.csv message list" "nothere.csv message list" \
            "signs.csv -- fleet signs.csv message list" "signs.csv -- -q fleet x" "signs.csv" \
            "signs.csv -- --sign x.json message list" "-j 0 signs.csv message list" \
            "-j 65 signs.csv message list" "--timeout 0 signs.csv message list"; do
  err=$("$dmsctl" fleet $args 2>&1 >/dev/null)
  rc=$?
  [ $rc -eq 2 ] || fail "'fleet $args' exited $rc"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "'fleet $args' printed: $err"
done
[ -e x.json ] && fail "a refused command touched a sign"
"$dmsctl" fleet -j 64 --timeout 30 signs.csv message list >/dev/null 2>&1
[ $? -eq 1 ] || fail "-j 64 refused"

# On a terminal: a progress bar as the signs finish.
command -v script >/dev/null || { echo "dmsctl fleet ok (progress bar not checked: no script(1) for a terminal)"; exit 0; }
out=$(script -qc "'$dmsctl' fleet -j 1 signs.csv message list >/dev/null" /dev/null 2>&1)
[[ "$out" == *"[#####               ] 1/4 signs, 1 failed"*"[####################] 4/4 signs, 1 failed"* ]] ||
  fail "progress bar: $out"
out=$(script -qc "'$dmsctl' -q fleet -j 1 signs.csv message list >/dev/null" /dev/null 2>&1)
[[ "$out" == *"signs, "* ]] && fail "progress bar with -q: $out"
echo "dmsctl fleet ok"
