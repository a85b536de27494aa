// Phase four: simulation time and the run loop. (The event heap, the
// scheduling calls and the loop itself are still to come; for now run()
// returns at once, so a start ends like -E.)
#ifndef KORVAX_PH4_H
#define KORVAX_PH4_H

class PhaseFour {
public:
    unsigned long time;  // current simulation time in ticks

    PhaseFour() : time(0) {}
    void run() {}
};

extern PhaseFour* phaseFour;

#endif
