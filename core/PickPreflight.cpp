#include "PickPreflight.h"

#include "PickRules.h"
#include "Staging.h"
#include "TypeStatistics.h"

#include <QDir>
#include <QHash>
#include <QStorageInfo>

#include <algorithm>

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
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

// The destination folder may not exist yet: the nearest folder above it that does.
QString nearestExisting(const QString &folder)
{
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo::exists(path) && !QDir(path).isRoot())
        path = QFileInfo(path).path();
    return path;
}

// Which names a file system of FAT's or NTFS's kind really refuses, found by trying them in a
// staging folder of its own below folder, so that no name of the user's is ever taken, even
// for a moment: ntfs-3g, for one, stores names Windows cannot open and tells case apart, while
// fusefat refuses the former and folds the latter.
class NameProbe
{
public:
    explicit NameProbe(const QString &folder)
        : folder(folder)
    { }

    bool foldsCase()
    {
        const QString name
                = QStringLiteral("a%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
        // Where nothing can be made, assume the worst.
        bool folds = true;
        tryCreate(name, [&] { folds = QFileInfo::exists(at(name.toUpper())); });
        return folds;
    }

    bool stores(const QString &name)
    {
        if (PickPreflight::isStorableName(name))
            return true;
        const auto known = verdicts.constFind(name);
        if (known != verdicts.constEnd())
            return *known;
        bool verdict = false;
        if (verdicts.size() < maxProbes) {
            const int made = tryCreate(name, {});
            // A folder that takes no new file at all tells nothing about the name.
            if (made != EACCES && made != EROFS && made != ENOSPC && made != EDQUOT)
                verdict = made == 0 || made == EEXIST;
        }
        verdicts.insert(name, verdict);
        return verdict;
    }

private:
    static constexpr qsizetype maxProbes = 64;

    QString at(const QString &name) const
    {
        return QFile::decodeName(place) + QLatin1Char('/') + name;
    }

    // Creates name afresh, runs whileThere and removes the name again; 0, or the errno of
    // the failed creation.
    int tryCreate(const QString &name, const std::function<void()> &whileThere)
    {
#ifdef Q_OS_UNIX
        int error = 0;
        if (place.isEmpty() && (place = staging.take(QFile::encodeName(folder), &error)).isEmpty())
            return error;
        const QByteArray path = QFile::encodeName(at(name));
        const int fd = ::open(path.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd < 0)
            return errno;
        ::close(fd);
        if (whileThere)
            whileThere();
        ::unlink(path.constData());
        return 0;
#else
        Q_UNUSED(name)
        Q_UNUSED(whileThere)
        return EACCES;
#endif
    }

    QString folder;
    Staging staging;
    QByteArray place;
    QHash<QString, bool> verdicts;
};

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
    // Every path and every folder on its way, folded: its spelling and whether it is a
    // folder. Folders that differ only by case are one folder there, so their files meet
    // only where two spellings name one file, or a file and a folder meet.
    struct Seen
    {
        QString spelling;
        bool folder;
    };
    QHash<QString, Seen> seen;
    QSet<qsizetype> colliding;
    for (qsizetype i = 0; i < relativePaths.size(); ++i) {
        const QStringList parts = relativePaths.at(i).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QString folded;
        QString spelled;
        for (qsizetype j = 0; j < parts.size(); ++j) {
            const bool folder = j + 1 < parts.size();
            folded += QLatin1Char('/') + parts.at(j).toCaseFolded();
            spelled += QLatin1Char('/') + parts.at(j);
            const auto known = seen.constFind(folded);
            if (known == seen.constEnd()) {
                seen.insert(folded, {spelled, folder});
            } else if (known->folder != folder || (!folder && known->spelling != spelled)) {
                colliding.insert(i);
                break;
            }
        }
    }
    return colliding;
}

PickPlan check(const FileList &files, const QList<qsizetype> &selection,
               const QString &destinationFolder, const std::function<bool()> &goOn)
{
    PickPlan plan;
    const QString existing = nearestExisting(destinationFolder);
    const QStorageInfo storage(existing);
    if (storage.isValid()) {
        plan.bytesFree = storage.bytesAvailable();
        plan.fileSystemType = storage.fileSystemType();
    }
    const bool limited = limitsNames(plan.fileSystemType);
    NameProbe probe(existing);
    const bool foldsCase = limited && probe.foldsCase();
    const qint64 block = storage.isValid() ? storage.blockSize() : 0;

    // Positions in selection; the whole paths are made only where case decides.
    QSet<qsizetype> unstorable;
    if (foldsCase) {
        QStringList relativePaths;
        relativePaths.reserve(selection.size());
        for (const qsizetype file : selection) {
            if (goOn && !goOn()) {
                plan.go = false;
                return plan;
            }
            relativePaths.append(files.relativePath(file));
        }
        unstorable = caseCollisions(relativePaths);
    }

    // What each source folder's files meet at the destination, found out once per folder.
    struct Place
    {
        QByteArray source;
        QString target;
        bool storable = true;
        QSet<QString> names;
    };
    QHash<FileList::Folder, Place> places;
    const PickTargets targets(destinationFolder);
    for (qsizetype i = 0; i < selection.size(); ++i) {
        if (goOn && !goOn()) {
            plan.go = false;
            return plan;
        }
        const qsizetype file = selection.at(i);
        const FileList::Folder folder = files.folder(file);
        auto place = places.find(folder);
        if (place == places.end()) {
            const QString relative = QFile::decodeName(files.relativeFolderPath(folder));
            Place found;
            found.source = files.folderPath(folder);
            found.target = relative.isEmpty() ? QDir(destinationFolder).absolutePath()
                                              : targets.targetOfRelative(relative);
            const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
            found.storable = !limited
                    || std::all_of(parts.cbegin(), parts.cend(),
                                   [&probe](const QString &part) { return probe.stores(part); });
            found.names = folderEntries(found.target, foldsCase);
            place = places.insert(folder, found);
        }
        const QString name = files.fileName(file);
        if (!unstorable.contains(i) && limited && !(place->storable && probe.stores(name)))
            unstorable.insert(i);
        if (unstorable.contains(i)) {
            plan.unstorableNames.append(files.relativePath(file));
            plan.unstorable.insert(file);
            continue;
        }
        if (place->names.contains(foldsCase ? name.toCaseFolded() : name)) {
            ++plan.existing;
            continue;
        }
        QByteArray source = place->source;
        if (!source.endsWith('/'))
            source += '/';
        const qint64 size = qMax<qint64>(fileSize(QFile::decodeName(source + files.name(file))), 0);
        plan.bytesToCopy += size;
        plan.bytesNeeded += roundedUp(size, block);
    }
    return plan;
}

} // namespace PickPreflight
