; A loop that counts down from 3.
;
; Each pass is five words: the count, the branch back and its three words,
; which always run (the branch acts only from MEM). The count is read again
; five words after it was written, late enough without forwarding.
        setlo r1, 3             ; the counter
        nop
        nop
        nop
loop:   sub.f r1, r1, 1         ; r1 = r1 - 1; Z once it is 0
        bne loop                ; back while r1 is not 0
        add r2, r2, 1           ; runs on every pass: r2 counts them
        nop
        nop
        setlo r3, 0xDD          ; after the loop
done:   bra done
        nop
        nop
        nop
