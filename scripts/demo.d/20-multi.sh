# MULTI: what the parser finds in a message and what the writer makes of it
run multi explain '[pt30o][pb0,0,0][jp3][fo2]ROAD WORK[nl1][flt05o05]AHEAD[/fl][np][pt20o5][tr1,1,96,16][jl3][fo1]USE CAUTION[g2,1,20]'
run --json multi explain '[fo2]A [[B]] C'
run multi roundtrip '[jp3][fo1]ROAD WORK[nl][fo2]AHEAD'
run multi roundtrip '[g1,1,1]TEXT AFTER A PICTURE IS DROPPED'
