#include "FileType.h"

QStringView fileSuffix(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? QStringView(path).mid(dot + 1) : QStringView();
}

QString fileType(const QFileInfo &file) { return fileSuffix(file.filePath()).toString().toLower(); }

void FileTypeSet::add(QStringView suffix)
{
    if (seen.contains(suffix))
        return;
    suffixes.append(suffix.toString());
    seen.insert(QStringView(suffixes.last()));
}

QSet<QString> FileTypeSet::types() const
{
    QSet<QString> types;
    for (const QString &suffix : suffixes)
        types.insert(suffix.toLower());
    return types;
}
