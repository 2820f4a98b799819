#include "Trovella.h"

// Not built yet: the scan of the source folder.
void Trovella::setSrcFolder(QString srcFolder) { Q_UNUSED(srcFolder); }

void Trovella::collectFileTypes(QSet<QString> *checked, QSet<QString> *unchecked)
{
    Q_UNUSED(checked);
    Q_UNUSED(unchecked);
}
