#include "TranslationFile.h"

#include <QDir>

QString firstTranslationFile(const QString &directory)
{
    const QDir dir(directory, QStringLiteral("*.qm"));
    const QFileInfoList entries = dir.entryInfoList();
    return entries.isEmpty() ? QString() : entries.first().absoluteFilePath();
}
