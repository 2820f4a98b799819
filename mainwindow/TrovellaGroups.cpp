#include "Trovella.h"

// Not built yet: loading the groups and the group editor.
void Trovella::loadFileTypeGroups() { }

void Trovella::editFileTypeGroup() { }
