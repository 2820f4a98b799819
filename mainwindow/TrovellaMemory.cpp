#include "Trovella.h"

// Not built yet: the per-folder memory file.
void Trovella::readMemory(QStringList *checked, QStringList *unchecked)
{
    Q_UNUSED(checked);
    Q_UNUSED(unchecked);
}

void Trovella::writeMemory() { }
