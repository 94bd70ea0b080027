# What the sign holds now
run sign show
