// Spelled from its own folder instead of from sim/.
#include "Low.h"
