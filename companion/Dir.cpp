#include "Dir.h"

#include <QDirIterator>

namespace Mv {

// Stand-in until the threaded walk lands: lists on the calling thread.
bool Dir::GetAllFiles(QString folder, QList<QFileInfo> &files, QStatusBar *status)
{
    Q_UNUSED(status);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.nextFileInfo());
    return true;
}

void Dir::Cancel() { }

WalkReport Dir::lastReport() { return {}; }

} // namespace Mv
