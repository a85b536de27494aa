// Hostile: compiles a file from outside its folder into its messages.
#include "@TEACHER@/secret.txt"
#include "korvax.h"

void simnet() {}
