#include "PickRules.h"

#include "FileType.h"

QString folderName(const QString &folder)
{
#ifdef Q_OS_WIN
    const qsizetype cut
            = qMax(folder.lastIndexOf(QLatin1Char('/')), folder.lastIndexOf(QLatin1Char('\\')));
#else
    // A backslash is an ordinary character in a name here.
    const qsizetype cut = folder.lastIndexOf(QLatin1Char('/'));
#endif
    return folder.mid(cut + 1);
}

QString pickDestination(const QString &srcFolder, const QString &desFolder)
{
    const QString name = folderName(srcFolder);
    if (name == folderName(desFolder))
        return desFolder;
#ifdef Q_OS_WIN
    const QChar separator
            = desFolder.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
#else
    const QChar separator = QLatin1Char('/');
#endif
    return desFolder + separator + name;
}

QList<QFileInfo> pickSelection(const QList<QFileInfo> &files, const QSet<QString> &types)
{
    QList<QFileInfo> selection;
    for (const QFileInfo &file : files) {
        if (types.contains(fileType(file)))
            selection.append(file);
    }
    return selection;
}
