// The low layer: includes the high one, against the direction.
#include "high/High.h"
