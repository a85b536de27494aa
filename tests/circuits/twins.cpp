// Two buses declared with the same name, as a module used twice declares
// them: a clock feeds two inverter stages, each bus called "stage".
// Key s flips the switch bus "sel", whose copy "sel" feeds a third stage.
#include "korvax.h"

namespace {

// One inverter stage with its own output bus, named "stage" every time.
Signal stage(const char* position, const Signal& in) {
    Signal out(1, "stage");
    Not(SD(position), in, out);
    return out;
}

}  // namespace

void simnet() {
    Signal clk(1, "clk");
    Clock(SD("aa"), clk, 10, 0, 40, Zero);
    Signal first = stage("ab", clk);
    Signal second = stage("ac", first);
    Probe(SD("ba"), first, "first");
    Probe(SD("bb"), second, "second");
}
