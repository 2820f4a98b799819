#include "Batch.h"

#include "core/Logging.h"

#include <QSet>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <memory>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
// A batch is made durable when it holds this many files or is this old.
const qsizetype batchFiles = 256;
const qint64 batchMilliseconds = 50;

// Syncs each folder by sync: fsync the folder itself, syncfs its whole disk. Not every driver
// syncs folders: where lenient, the names then are as durable as it makes them.
void syncFolders(const QList<QByteArray> &folders, int (*sync)(int), bool lenient)
{
    for (const QByteArray &folder : folders) {
        const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool failed = fd < 0
                ? !lenient
                : sync(fd) != 0 && !(lenient && (errno == EINVAL || errno == ENOSYS));
        if (failed)
            qCWarning(lcCopy, "Could not make the names in %s durable: %s", folder.constData(),
                      qUtf8Printable(qt_error_string(errno)));
        if (fd >= 0)
            ::close(fd);
    }
}
} // namespace

void Batch::shift(qsizetype taken)
{
    for (Copy &copy : copies)
        copy.result -= taken;
}

bool Batch::add(const Copy &copy)
{
    if (copies.isEmpty())
        age.start();
    copies.append(copy);
    return copies.size() >= batchFiles || age.elapsed() >= batchMilliseconds;
}

QList<QPair<qsizetype, int>> Batch::commit(QThreadPool *pool, int threads)
{
    QHash<quint64, int> descriptors;
    for (const Copy &copy : std::as_const(copies)) {
        if (!descriptors.contains(copy.device) && disks.of(copy.device, QString()).syncsWhole)
            descriptors.insert(copy.device, copy.fd);
    }
    QHash<quint64, int> syncErrors;
    const auto syncAll = [&descriptors, &syncErrors] {
        for (auto it = descriptors.cbegin(); it != descriptors.cend(); ++it)
            syncErrors.insert(it.key(), ::syncfs(it.value()) == 0 ? 0 : errno);
    };
    // A slow disk can take seconds to sync.
    runAside(syncAll, keepResponsive);
    for (auto it = descriptors.cbegin(); it != descriptors.cend(); ++it)
        unsynced.remove(it.key());
    const std::vector<int> errors = link(pool, threads, syncErrors);
    // The new names: on disks that sync file by file their folders are synced now, elsewhere
    // the next sync of the disk takes them.
    QSet<QByteArray> folderSyncs;
    QList<QPair<qsizetype, int>> named;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        const Copy &copy = copies.at(i);
        named.append({copy.result, errors[size_t(i)]});
        if (errors[size_t(i)] != 0)
            continue;
        if (disks.of(copy.device, QString()).syncsWhole)
            unsynced.insert(copy.device, copy.folder);
        else
            folderSyncs.insert(copy.folder);
    }
    if (!folderSyncs.isEmpty())
        runAside([&folderSyncs] { syncFolders(folderSyncs.values(), ::fsync, true); },
                 keepResponsive);
    copies.clear();
    return named;
}

int Batch::nameAlone(const Copy &copy)
{
    const int error = name(copy, ::fsync(copy.fd) == 0 ? 0 : errno);
    if (error == 0)
        unsynced.insert(copy.device, copy.folder);
    return error;
}

void Batch::syncNames()
{
    if (unsynced.isEmpty())
        return;
    const QList<QByteArray> folders = unsynced.values();
    unsynced.clear();
    runAside([&folders] { syncFolders(folders, ::syncfs, false); }, keepResponsive);
}

// A link can wait for a busy disk or a round trip: the links run on the pool's threads where
// there are any, and the window's events between them where there are none.
std::vector<int> Batch::link(QThreadPool *pool, int threads, const QHash<quint64, int> &syncErrors)
{
    // A share's client changes a folder one request at a time: the links go round the
    // folders, so that the threads rarely wait for each other.
    std::vector<qsizetype> order(size_t(copies.size()));
    {
        QHash<QByteArray, qsizetype> seen;
        std::vector<qsizetype> round(order.size());
        for (qsizetype i = 0; i < copies.size(); ++i) {
            order[size_t(i)] = i;
            round[size_t(i)] = seen[copies.at(i).folder]++;
        }
        std::stable_sort(order.begin(), order.end(),
                         [&round](qsizetype a, qsizetype b) { return round[a] < round[b]; });
    }
    std::vector<int> errors(copies.size());
    std::atomic<size_t> next {0};
    const auto linkSome = [this, &errors, &next, &order, &syncErrors](bool here) {
        for (size_t k; (k = next.fetch_add(1)) < order.size();) {
            const Copy &copy = copies.at(order[k]);
            errors[size_t(order[k])] = name(copy, syncErrors.value(copy.device));
            if (here && keepResponsive)
                keepResponsive();
        }
    };
    if (!pool || threads == 0) {
        linkSome(true);
        return errors;
    }
    std::vector<std::future<void>> helpers;
    for (int helper = 0; helper < qMin<qsizetype>(threads, copies.size()); ++helper) {
        auto task = std::make_shared<std::packaged_task<void()>>([&linkSome] { linkSome(false); });
        helpers.push_back(task->get_future());
        pool->start([task] { (*task)(); });
    }
    for (const std::future<void> &helper : helpers)
        await(helper, keepResponsive);
    return errors;
}

int Batch::name(const Copy &copy, int syncError)
{
    if (syncError == 0)
        return naming.give(copy.fd, copy.temporaryName, copy.device, copy.target);
    ::close(copy.fd);
    if (!copy.temporaryName.isEmpty())
        ::unlink(copy.temporaryName.constData());
    return syncError;
}

#endif

void Batch::runAside(const std::function<void()> &work, const std::function<void()> &keepResponsive)
{
    if (!keepResponsive)
        return work();
    const std::unique_ptr<QThread> worker(QThread::create(work));
    worker->start();
    while (!worker->wait(QDeadlineTimer(pollMilliseconds)))
        keepResponsive();
}
