# Pictures: upload the examples, list them into BMP files, show one, delete
run pictures send-all "$examples"/pictures/*.bmp
run pictures list --save pictures
echo "(BMP files written to $demo/pictures)"
echo
run message put changeable 4 '[g3,1,1][jp3]CAUTION' --activate
run pictures delete 3 || true
run events clear
run pictures delete 3
run message delete changeable 4
run pictures send 7 "$examples"/pictures/arrow-1bit.bmp --name 'Detour left'
run pictures list

# A picture shown at once, two pages
run -q show pictures "$examples/pictures/arrow-1bit.bmp" --pages 2 --page-time 20
run message list
