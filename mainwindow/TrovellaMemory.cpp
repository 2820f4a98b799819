#include "Trovella.h"

#include "core/PickRules.h"
#include "core/TypeMemory.h"

#include <QDir>

void Trovella::readMemory(QStringList *checked, QStringList *unchecked)
{
    const TypeMemory::Content memory = TypeMemory::read(srcFolder);
    if (!memory.found)
        return;
    // An empty line clears the destination; a folder that is gone leaves it alone.
    if (memory.destinationLine.isEmpty() || QDir(memory.destinationLine).exists()) {
        desFolder = memory.destinationLine;
        ui.edDesFolder->setPlainText(desFolder);
    }
    *checked = memory.checked;
    *unchecked = memory.unchecked;
}

void Trovella::writeMemory()
{
    // A list cut short by a cancelled walk or a newer scan would forget the types it lacks.
    if (srcFolder.isEmpty() || !scanComplete)
        return;
    QSet<QString> checked;
    QSet<QString> unchecked;
    collectFileTypes(&checked, &unchecked);
    // After a pick from this folder the memory names the folder the files went to; the next
    // pick from here derives the same folder from it.
    const QString picked = pickDestination(srcFolder, desFolder);
    TypeMemory::write(srcFolder, picked == pickedFolder ? picked : desFolder, checked, unchecked);
}
