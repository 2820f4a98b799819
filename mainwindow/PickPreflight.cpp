#include "PickPreflight.h"

#include "TypeStatistics.h"

#include <QDir>
#include <QHash>
#include <QStorageInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <QFile>
#include <dirent.h>
#endif

namespace {

QSet<QString> folderEntries(const QString &folder, bool foldCase)
{
    QSet<QString> names;
#ifdef Q_OS_UNIX
    // readdir gives the names without a stat for each.
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        names.insert(foldCase ? name.toCaseFolded() : name);
    }
    ::closedir(dir);
#else
    const QStringList listed = QDir(folder).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &name : listed)
        names.insert(foldCase ? name.toCaseFolded() : name);
#endif
    return names;
}

// The destination folder may not exist yet: its free space is that of the nearest folder
// above it that does.
QStorageInfo storageOf(const QString &folder)
{
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo::exists(path) && !QDir(path).isRoot())
        path = QFileInfo(path).path();
    return QStorageInfo(path);
}

qint64 roundedUp(qint64 bytes, qint64 block)
{
    return block > 0 ? (bytes + block - 1) / block * block : bytes;
}

} // namespace

namespace PickPreflight {

bool limitsNames(const QByteArray &fileSystemType)
{
    static const QList<QByteArray> limited {"vfat",  "msdos",   "exfat",        "ntfs",
                                            "ntfs3", "fuseblk", "fuse.fusefat", "fuse.exfat"};
    return limited.contains(fileSystemType.toLower());
}

bool isStorableName(const QString &name)
{
    if (name.isEmpty() || name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringView(u"<>:\"|?*").contains(c))
            return false;
    }
    // Device names stay reserved whatever suffix follows them.
    const QString base = name.section(QLatin1Char('.'), 0, 0).toUpper();
    static const QStringList devices {QStringLiteral("CON"), QStringLiteral("PRN"),
                                      QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (devices.contains(base))
        return false;
    const bool numbered = base.size() == 4
            && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT")));
    return !(numbered && base.at(3) >= QLatin1Char('1') && base.at(3) <= QLatin1Char('9'));
}

QSet<qsizetype> caseCollisions(const QStringList &relativePaths)
{
    // Per folder (as spelled by the path that made it), the folded names and their spelling.
    QHash<QString, QHash<QString, QString>> seen;
    QSet<qsizetype> colliding;
    for (qsizetype i = 0; i < relativePaths.size(); ++i) {
        const QStringList parts = relativePaths.at(i).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QString folder;
        for (const QString &part : parts) {
            QHash<QString, QString> &names = seen[folder];
            const QString folded = part.toCaseFolded();
            const auto known = names.constFind(folded);
            if (known == names.constEnd()) {
                names.insert(folded, part);
            } else if (*known != part) {
                colliding.insert(i);
                break;
            }
            folder += part + QLatin1Char('/');
        }
    }
    return colliding;
}

PickPlan check(const QString &sourceFolder, const QString &destinationFolder,
               const QList<QFileInfo> &selection, const std::function<void()> &keepResponsive)
{
    PickPlan plan;
    const QStorageInfo storage = storageOf(destinationFolder);
    if (storage.isValid()) {
        plan.bytesFree = storage.bytesAvailable();
        plan.fileSystemType = storage.fileSystemType();
    }
    const bool limited = limitsNames(plan.fileSystemType);
    const qint64 block = storage.isValid() ? storage.blockSize() : 0;

    const QDir source(sourceFolder);
    const QDir destination(destinationFolder);
    QStringList relativePaths;
    relativePaths.reserve(selection.size());
    for (const QFileInfo &file : selection)
        relativePaths.append(source.relativeFilePath(file.absoluteFilePath()));
    QSet<qsizetype> unstorable;
    if (limited)
        unstorable = caseCollisions(relativePaths);

    QHash<QString, QSet<QString>> folders;
    for (qsizetype i = 0; i < selection.size(); ++i) {
        if (keepResponsive && i % 256 == 255)
            keepResponsive();
        const QString &relative = relativePaths.at(i);
        if (limited && !unstorable.contains(i)) {
            const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
            if (!std::all_of(parts.cbegin(), parts.cend(), isStorableName))
                unstorable.insert(i);
        }
        if (unstorable.contains(i)) {
            plan.unstorableNames.append(relative);
            plan.unstorable.insert(selection.at(i).absoluteFilePath());
            continue;
        }
        const QFileInfo target(destination.absoluteFilePath(relative));
        const QString folder = target.path();
        auto names = folders.constFind(folder);
        if (names == folders.constEnd())
            names = folders.insert(folder, folderEntries(folder, limited));
        if (names->contains(limited ? target.fileName().toCaseFolded() : target.fileName())) {
            ++plan.existing;
            continue;
        }
        const qint64 size = qMax<qint64>(fileSize(selection.at(i).absoluteFilePath()), 0);
        plan.bytesToCopy += size;
        plan.bytesNeeded += roundedUp(size, block);
    }
    return plan;
}

} // namespace PickPreflight
