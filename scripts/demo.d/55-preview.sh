# Previews: each example document's messages as PNG files, one message on the terminal
"$root/scripts/demo-previews.sh" "$dmsctl" previews
echo "(PNG files written to $demo/previews)"
echo
run preview '[jp3][fo2]ROAD WORK[nl][fo1][flt5o5]AHEAD[/fl]' --terminal always --gif previews/road-work.gif
