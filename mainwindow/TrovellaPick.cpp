#include "Trovella.h"

// Not built yet: the pick.
void Trovella::pick() { }
