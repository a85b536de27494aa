; a mistake on line 3
setlo r1, 1
add r2, r9, r1
