#include "SmallFile.h"

#include <QDir>
#include <QFile>

bool SmallFile::read(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.exists())
        return false;
    const QString shown = QDir::current().absoluteFilePath(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Could not read %s: %s", qUtf8Printable(shown),
                 qUtf8Printable(file.errorString()));
        return false;
    }
    // One byte past the limit tells a full file from a too large one, also for files whose
    // size the file system does not know.
    *bytes = file.read(maxSize + 1);
    if (bytes->size() > maxSize) {
        qWarning("Left %s unread: it is larger than %lld bytes", qUtf8Printable(shown), maxSize);
        bytes->clear();
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        qWarning("Could not read %s: %s", qUtf8Printable(shown),
                 qUtf8Printable(file.errorString()));
        bytes->clear();
        return false;
    }
    return true;
}
