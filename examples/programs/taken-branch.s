; A taken branch and the three words behind it.
;
; The branch decides the next fetch only when it reaches MEM: by then the
; three words behind it have been fetched, and they run whether or not it
; is taken. Only the words after those are skipped.
        setlo r1, 1
        nop                     ; spacing: r1 is written before sub.f reads it
        nop
        sub.f r0, r1, r1        ; 1 - 1: Z = 1 (the result goes nowhere)
        beq skip                ; taken
        setlo r2, 0x11          ; these three run all the same
        setlo r3, 0x22
        setlo r4, 0x33
        setlo r5, 0x44          ; skipped
        setlo r6, 0x55          ; skipped
skip:   setlo r7, 0x77
done:   bra done
        nop
        nop
        nop
