; A load and the instructions that use its value.
;
; The machine has no forwarding and no interlock: the loaded value is in
; r2 only from the cycle the load is in write-back. The two instructions
; right behind the load still read the old r2 (0); the third one reads the
; new value. While the load is in MEM it has the one memory bus, so the
; fetch of that third instruction stalls for a cycle (an "s" in the
; pipeline chart of -P, in the column of the load's M).
        setlo r6, 32            ; the address of the data word below
        nop                     ; spacing: r6 is written before the load reads it
        nop
        ld r2, [r6 + 0]         ; r2 = 0x1234
        add r3, r2, r2          ; too early: 0 + 0
        add r4, r2, r2          ; too early as well
        add r5, r2, r2          ; r5 = 0x2468
done:   bra done                ; stay here; the three words behind run each time
        nop
        nop
        nop

        .org 32
        .word 0x1234
