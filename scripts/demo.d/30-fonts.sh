# The fonts the sign holds
run fonts list
