; The stored program: the ROM of the stock processor, as assembly.
; build/korvax -A examples/programs/stored.s runs exactly what build/korvax runs.
;
; Six constants go into registers; five empty words let them reach
; write-back before anything reads them (no forwarding). The load then
; fetches word 32 (address r2 + r3 = 0x0A + 0x16); while it is in MEM the
; fetch stalls for a cycle. The four adds only read registers.
        setlo r1, 0x41
        setlo r2, 0x0A
        setlo r3, 0x16
        setlo r4, 0x01
        setlo r5, 0x08
        setlo r7, 0x02
        nop                     ; spacing: words 6 to 10
        nop
        nop
        nop
        nop
        ld r1, [r2 + r3]        ; r1 = word 32
        add r0, r0, r1          ; no effect: r0 stays 0
        add r0, r0, r2
        add r0, r0, r3
        add r0, r0, r4
        .org 32
data:   .word 0xFFFE            ; as an instruction: bnv .-2, never taken
