# Schedules: messages on a timetable, added, listed, replaced and deleted
cat > schedules.csv <<'CSV'
time,message,months,weekdays,days
07:00,changeable:3,all,mon-fri,
16:30,changeable:3,all,mon-fri,
10:00,changeable:4,jun-aug,weekend,
CSV
run schedules add --file schedules.csv
run schedules add --time 22:00 --message volatile:2 --weekdays fri,sat --days 1-7
run schedules list
run schedules delete --time 22:00 --message volatile:2 --weekdays fri,sat --days 1-7
run schedules replace --time 06:00 --message changeable:3 --weekdays weekdays
run schedules list
