// A 16-word RAM of 4-bit words operated from the keyboard.
//
// Keys a-d set the address (a is bit 3), keys e-h the data (e is bit 3);
// key w pulses the write strobe and key p pulses an IntOut that prints the
// word being read. A word never written prints the error report, since its
// bits are UNINITIALIZED. For example, write 5 at address 1, print it, then
// print address 0:
//   tools/korvax-build examples/ram-switches.cpp && build/circuits/ram-switches -X -k dfhwpdp
#include "korvax.h"

void simnet() {
    Signal address(4, "address"), data(4, "data"), write(1, "write"), print(1, "print"), word(4, "word");
    Switch(SD("aa"), address, 'a', Zero, "address");
    Switch(SD("ab"), data, 'e', Zero, "data");
    Pulser(SD("ac"), write, 'w', 30, Zero);
    Pulser(SD("ad"), print, 'p', 30, Zero);
    // One read port and one write port on the same address: the control bus
    // is (enable, strobe, write address, read address), read address lowest.
    Ram(SD("ba", "ram"), ((One, write, address), address), data, word, 16, 4, 4, 1, 1);
    IntOut(SD("bb", "word"), (One, print), word);
}
