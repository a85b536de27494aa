// Phase five: the display state and its window. (For now a placeholder with
// no window: Sim creates and deletes it, and nothing is drawn.)
#ifndef KORVAX_PH5_H
#define KORVAX_PH5_H

class PhaseFive {
public:
    PhaseFive() {}
};

extern PhaseFive* phaseFive;

#endif
