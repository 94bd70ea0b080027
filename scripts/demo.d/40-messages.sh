# Message rows: write, activate, list, refuse, erase
run message put changeable 3 '[jp3][fo1]ROAD WORK[nl][fo2]AHEAD' --activate
run message list
run message put volatile 2 '[jp3][xx]BAD TAG' || true
run message error
run events clear
run message delete changeable 3
