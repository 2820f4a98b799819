#include "TypeStatistics.h"

#include "Texts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>
#include <QThread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
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

void TypeStatistics::add(const QString &path, QStringView suffix)
{
    auto seen = indexOfSuffix.constFind(suffix);
    if (seen == indexOfSuffix.constEnd()) {
        suffixes.append(suffix.toString());
        const QString type = suffixes.constLast().toLower();
        auto found = indexOf.constFind(type);
        if (found == indexOf.constEnd()) {
            found = indexOf.insert(type, int(typeNames.size()));
            typeNames.append(type);
            perType.append(Figures());
        }
        seen = indexOfSuffix.insert(QStringView(suffixes.constLast()), *found);
    }
    ++perType[*seen].files;
    paths.append(TypedPath {path, *seen});
}

TypeStatistics::Figures TypeStatistics::figures(const QString &type) const
{
    const int index = indexOf.value(type, -1);
    return index < 0 ? Figures() : perType.at(index);
}

QList<TypeStatistics::TypedPath> TypeStatistics::takePaths() { return std::exchange(paths, {}); }

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

void TypeSizer::start(QList<TypeStatistics::TypedPath> paths, int typeCount)
{
    stop();
    const quint64 run = ++currentRun;
    done = false;
    cancelled = std::make_shared<std::atomic<bool>>(false);
    auto cancel = cancelled;
    worker.reset(
            QThread::create([this, run, cancel, typeCount, paths = std::move(paths)]() mutable {
                // A million paths take long to free: let this thread do it, not the window's.
                const auto release
                        = qScopeGuard([&paths] { QList<TypeStatistics::TypedPath>().swap(paths); });
                QList<qint64> bytes(typeCount, 0);
                QList<qint64> files(typeCount, 0);
                QElapsedTimer sinceReport;
                sinceReport.start();
                for (const TypeStatistics::TypedPath &file : paths) {
                    if (cancel->load(std::memory_order_relaxed))
                        return;
                    bytes[file.type] += qMax<qint64>(fileSize(file.path), 0);
                    ++files[file.type];
                    if (sinceReport.elapsed() >= reportMilliseconds) {
                        report(run, bytes, files, false);
                        bytes.fill(0);
                        files.fill(0);
                        sinceReport.restart();
                    }
                }
                report(run, bytes, files, true);
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
