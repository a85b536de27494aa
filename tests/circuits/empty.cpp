// A circuit with no components at all.
#include "korvax.h"

void simnet() {}
