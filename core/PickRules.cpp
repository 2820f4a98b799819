#include "PickRules.h"

#include <vector>

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

QList<qsizetype> pickSelection(const FileList &files, const QSet<QString> &types,
                               const std::function<void()> &keepResponsive)
{
    std::vector<char> wanted(size_t(files.types().size()));
    qsizetype count = 0;
    for (const QString &type : types) {
        const FileList::Type found = files.findType(type);
        if (found != FileList::noType) {
            wanted[found] = true;
            count += files.count(found);
        }
    }
    QList<qsizetype> selection;
    selection.reserve(count);
    files.forEach([&](qsizetype index, const FileList::Record &file, const char *) {
        if (wanted[file.type])
            selection.append(index);
        if (keepResponsive && index % 16384 == 0)
            keepResponsive();
        return selection.size() < count;
    });
    return selection;
}
