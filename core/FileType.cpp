#include "FileType.h"

QStringView fileSuffix(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? QStringView(path).mid(dot + 1) : QStringView();
}
