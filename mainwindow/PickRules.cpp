#include "PickRules.h"

#include "FileType.h"

QString folderName(const QString &folder)
{
    const qsizetype cut
            = qMax(folder.lastIndexOf(QLatin1Char('/')), folder.lastIndexOf(QLatin1Char('\\')));
    return folder.mid(cut + 1);
}

QString pickDestination(const QString &srcFolder, const QString &desFolder)
{
    const QString name = folderName(srcFolder);
    if (name == folderName(desFolder))
        return desFolder;
    const QChar separator
            = desFolder.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
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
