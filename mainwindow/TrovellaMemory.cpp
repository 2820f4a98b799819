#include "Trovella.h"

#include "core/PickRules.h"

#include <QDir>

TypeMemory::Content Trovella::readMemory()
{
    const TypeMemory::Content memory = TypeMemory::read(srcFolder);
    // An empty line clears the destination; a folder that is gone leaves it alone.
    if (memory.found
        && (memory.destinationLine.isEmpty() || QDir(memory.destinationLine).exists())) {
        desFolder = memory.destinationLine;
        ui.edDesFolder->setPlainText(desFolder);
    }
    return memory;
}

bool Trovella::writeMemory(QString *error)
{
    // A list cut short by a cancelled walk or a newer scan would forget the types it lacks.
    if (srcFolder.isEmpty() || !scanComplete)
        return true;
    QSet<QString> checked;
    QSet<QString> unchecked;
    collectFileTypes(&checked, &unchecked);
    // After a pick from this folder the memory names the folder the files went to; the next
    // pick from here derives the same folder from it.
    const QString picked = pickDestination(srcFolder, desFolder);
    return TypeMemory::write(srcFolder, picked == pickedFolder ? picked : desFolder, checked,
                             unchecked, error);
}
