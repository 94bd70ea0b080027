# Message rows: write, activate, list, refuse, erase
run message put changeable 3 '[jp3][fo1]ROAD WORK[nl][fo2]AHEAD' --activate
run message list
run message put volatile 2 '[jp3][xx]BAD TAG' || true
run message error
run events clear
run message delete changeable 3

# A message document onto the sign and back
run message check "$examples/messages/text.xml"
run -q message send "$examples/messages/text.xml"
run message list
run -q message get messages-back.xml
head -n 12 messages-back.xml; echo
run show text 'ROAD CLOSED\nUSE A1' --font Bold8x13.fnt
