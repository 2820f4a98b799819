#include "Trovella.h"

// Not built yet: applying a group to the type list.
void Trovella::fileTypeGroupSelected(QString groupSel) { Q_UNUSED(groupSel); }
