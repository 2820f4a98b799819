#include "TypeStatistics.h"

#include "Texts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QThread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// The size pass reports about five times a second, not once per file.
const qint64 reportMilliseconds = 200;
} // namespace

qint64 fileSize(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_size) : -1;
#else
    const QFileInfo info(path);
    return info.exists() ? info.size() : -1;
#endif
}

TypeStatistics::Figures &TypeStatistics::Figures::operator+=(const Figures &other)
{
    files += other.files;
    bytes += other.bytes;
    sizedFiles += other.sizedFiles;
    return *this;
}

TypeStatistics::TypeStatistics(const FileList &files)
{
    for (FileList::Type type = 0; type < FileList::Type(files.types().size()); ++type) {
        const QString &name = files.types().at(type);
        perType.append({files.count(type), 0, 0});
        // A type whose only files were taken out of the list is not shown.
        if (files.count(type) > 0) {
            typeNames.append(name);
            indexOf.insert(name, int(type));
        }
    }
}

TypeStatistics::Figures TypeStatistics::figures(const QString &type) const
{
    const int index = indexOf.value(type, -1);
    return index < 0 ? Figures() : perType.at(index);
}

void TypeStatistics::addSizes(const QList<qint64> &bytes, const QList<qint64> &files)
{
    const qsizetype n = qMin(perType.size(), qMin(bytes.size(), files.size()));
    for (qsizetype i = 0; i < n; ++i) {
        perType[i].bytes += bytes.at(i);
        perType[i].sizedFiles += files.at(i);
    }
}

QString TypeStatistics::filesText(qint64 files)
{
    return Texts::plural<TypeStatistics>(int(files), QT_TR_NOOP("1 file"),
                                         QT_TR_N_NOOP("%Ln files"));
}

QString TypeStatistics::sizeText(const Figures &figures)
{
    if (figures.sized())
        return Texts::size(figures.bytes);
    if (figures.sizedFiles == 0)
        return QStringLiteral("…");
    // What is known so far, marked as still growing.
    return Texts::size(figures.bytes) + QStringLiteral("…");
}

QString TypeStatistics::figuresText(const Figures &figures)
{
    return QStringLiteral("%1 · %2").arg(filesText(figures.files), sizeText(figures));
}

TypeSizer::TypeSizer(QObject *parent)
    : QObject(parent)
{ }

TypeSizer::~TypeSizer() { stop(); }

namespace {
#ifdef Q_OS_UNIX
// Sizes a folder's files by their names, from the folder opened once.
class FolderSizer
{
public:
    ~FolderSizer() { close(); }
    qint64 size(const FileList &files, FileList::Folder folder, const char *name)
    {
        if (folder != current || fd < 0) {
            close();
            current = folder;
            fd = ::open(files.folderPath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        struct stat st;
        return fd >= 0 && ::fstatat(fd, name, &st, 0) == 0 ? qint64(st.st_size) : 0;
    }

private:
    void close()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    FileList::Folder current = FileList::top;
    int fd = -1;
};
#else
class FolderSizer
{
public:
    qint64 size(const FileList &files, FileList::Folder folder, const char *name)
    {
        return qMax<qint64>(fileSize(QFile::decodeName(files.folderPath(folder) + '/' + name)), 0);
    }
};
#endif
} // namespace

void TypeSizer::start(const FileList &files)
{
    stop();
    const quint64 run = ++currentRun;
    done = false;
    cancelled = std::make_shared<std::atomic<bool>>(false);
    auto cancel = cancelled;
    // Held apart, so that this thread can let go of it.
    const auto held = std::make_shared<FileList>(files);
    worker.reset(QThread::create([this, run, cancel, held] {
        const FileList &files = *held;
        const qsizetype typeCount = files.types().size();
        QList<qint64> bytes(typeCount, 0);
        QList<qint64> sized(typeCount, 0);
        QElapsedTimer sinceReport;
        sinceReport.start();
        FolderSizer sizer;
        bool stopped = false;
        files.forEach([&](qsizetype, const FileList::Record &file, const char *name) {
            if (cancel->load(std::memory_order_relaxed)) {
                stopped = true;
                return false;
            }
            bytes[file.type] += sizer.size(files, file.folder, name);
            ++sized[file.type];
            if (sinceReport.elapsed() >= reportMilliseconds) {
                report(run, bytes, sized, false);
                bytes.fill(0);
                sized.fill(0);
                sinceReport.restart();
            }
            return true;
        });
        // A list of millions takes long to free: let this thread do it, not the window's.
        *held = FileList();
        if (!stopped)
            report(run, bytes, sized, true);
    }));
    worker->start(QThread::LowPriority);
}

void TypeSizer::stop()
{
    ++currentRun;
    done = true;
    if (!worker)
        return;
    cancelled->store(true);
    worker->wait();
    worker.reset();
}

// Called on the worker thread; the totals go to this object's thread as a queued call, which
// a newer run or a stop makes void.
void TypeSizer::report(quint64 run, const QList<qint64> &bytes, const QList<qint64> &files,
                       bool last)
{
    QMetaObject::invokeMethod(
            this,
            [this, run, bytes, files, last] {
                if (run != currentRun)
                    return;
                emit sized(bytes, files);
                if (last) {
                    done = true;
                    emit finished();
                }
            },
            Qt::QueuedConnection);
}
