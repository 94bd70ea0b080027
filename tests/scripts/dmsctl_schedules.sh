#!/usr/bin/env bash
# dmsctl schedules end to end: add from the command line and from JSON and
# CSV files, list as a table and as JSON, replace, delete, bad input.
# Usage: dmsctl_schedules.sh path/to/dmsctl
set -u
dmsctl=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
export TZ=UTC0
fail() { echo "FAIL: $*"; exit 1; }
d() { "$dmsctl" -q "$@"; }

d sign new >/dev/null || fail "sign new"
out=$(d schedules add --time 07:30 --message changeable:12 --weekdays mon-fri) || fail "add one"
[ "$out" = "1 item(s) added" ] || fail "add printed: $out"
out=$(d schedules add --time 07:30 --message changeable:12 --weekdays weekdays) || fail "add again"
[ "$out" = "0 item(s) added" ] || fail "the same item was added twice: $out"

cat > more.json <<'JSON'
[{"time": "17:45", "message": "changeable:12", "weekdays": ["mon", "tue", "wed", "thu", "fri"]},
 {"time": "09:00", "message": {"type": "volatile", "number": 3}, "months": "nov-feb", "weekdays": "weekend",
  "days": [1, 2, 3, 15], "crc": "0x1A2B"}]
JSON
out=$(d schedules add --file more.json) || fail "add json"
[ "$out" = "2 item(s) added" ] || fail "json add printed: $out"
cat > more.csv <<'CSV'
# time,message and the timetable; empty fields mean every one
time,message,months,weekdays,days
06:00,permanent:1,"jan,jul",sun,
12:00,changeable:5,all,all,1-15
CSV
d schedules add --file more.csv >/dev/null || fail "add csv"

table=$(d schedules list) || fail "list"
[ "$(printf '%s\n' "$table" | wc -l)" -eq 6 ] || fail "list shows $(printf '%s\n' "$table" | wc -l) lines: $table"
head=$(printf '%s\n' "$table" | head -n 1)
for word in plan months weekdays days time message; do
  [[ "$head" == *"$word"* ]] || fail "table header lacks $word: $head"
done
printf '%s\n' "$table" | grep -Eq '^ +1  all +mon-fri +all +07:30  changeable:12$' || fail "weekday row: $table"
printf '%s\n' "$table" | grep -Eq 'jan,feb,nov,dec +sat,sun +1-3,15 +09:00  volatile:3' || fail "winter row: $table"
printf '%s\n' "$table" | grep -Eq 'jan,jul +sun +all +06:00  permanent:1' || fail "csv row: $table"

# The JSON listing reads back as a file: adding it again adds nothing.
d --json schedules list > listed.json || fail "list --json"
grep -q '"crc": 6699' listed.json || fail "crc not listed"
[ "$(d schedules add --file listed.json)" = "0 item(s) added" ] || fail "listed items added again"

out=$(d schedules delete --time 09:00 --message volatile:3 --months nov-feb --weekdays sat,sun --days 1-3,15) \
  || fail "delete"
[ "$out" = "1 item(s) deleted" ] || fail "delete printed: $out"
d schedules list | grep -q 'volatile:3' && fail "deleted item still listed"

cat > week.csv <<'CSV'
time,message,weekdays
08:00,changeable:1,mon-fri
20:00,changeable:2,mon-fri
10:00,changeable:3,weekend
CSV
out=$(d schedules replace --file week.csv) || fail "replace"
[ "$out" = "schedules replaced: 3 item(s) in 2 day plan(s)" ] || fail "replace printed: $out"
table=$(d schedules list)
[ "$(printf '%s\n' "$table" | wc -l)" -eq 4 ] || fail "after replace: $table"
printf '%s\n' "$table" | grep -Eq '^ +2  all +sat,sun +all +10:00  changeable:3$' || fail "weekend plan: $table"
[ "$(d schedules delete --all)" = "3 item(s) deleted" ] || fail "delete --all"
[ "$(d schedules list | wc -l)" -eq 1 ] || fail "sign not empty after delete --all"

# Bad input: one line on stderr, exit 2, nothing changed.
printf 'time,message\n25:00,changeable:1\n' > bad-time.csv
printf 'time,message,colour\n' > bad-column.csv
printf '[{"time": "07:00"}]' > no-message.json
printf '[{"time": "07:00", "message": "changeable:1", "weekday": "mon"}]' > typo.json
printf '{"items": [' > broken.json
for args in "schedules add" "schedules add --time 7:00" "schedules add --time 07:00 --message bogus:1" \
            "schedules add --time 07:60 --message changeable:1" \
            "schedules add --time 07:00 --message changeable:1 --months foo" \
            "schedules add --time 07:00 --message changeable:1 --weekdays 1" \
            "schedules add --time 07:00 --message changeable:1 --days 0" \
            "schedules add --time 07:00 --message changeable:1 --days 20-3" \
            "schedules add --file missing.csv" "schedules add --file bad-time.csv" \
            "schedules add --file bad-column.csv" "schedules add --file no-message.json" \
            "schedules add --file typo.json" "schedules add --file broken.json" "schedules delete"; do
  err=$("$dmsctl" $args 2>&1 >/dev/null)
  rc=$?
  [ $rc -eq 2 ] || fail "'$args' exited $rc: $err"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "'$args' printed: $err"
done
err=$("$dmsctl" schedules add --file bad-time.csv 2>&1)
[[ "$err" == *"line 2"*"25:00"* ]] || fail "bad line not named: $err"
[ "$(d schedules list | wc -l)" -eq 1 ] || fail "refused input changed the sign"
# The library's information lines ("Schedule Insert Count") only with -v;
# neither by default nor with -q.
for opt in "" "-q" "-v"; do
  err=$("$dmsctl" $opt schedules add --time 06:15 --message changeable:4 2>&1 >/dev/null) || fail "add $opt: $err"
  if [ "$opt" = "-v" ]; then
    printf '%s\n' "$err" | grep -Eq '^\[INFO\]\[.*\] Schedule Insert Count:1$' || fail "-v hid the info line: $err"
  else
    printf '%s\n' "$err" | grep -q 'INFO' && fail "info line shown with '$opt': $err"
  fi
  d schedules delete --all >/dev/null || fail "delete after $opt"
done
echo "dmsctl schedules ok"
