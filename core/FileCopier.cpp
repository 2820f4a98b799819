#include "FileCopier.h"

#include "core/Logging.h"

#include "CopyData.h"
#include "Disk.h"
#include "Verify.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// A batch is made durable when it holds this many files or is this old.
const qsizetype batchFiles = 256;
const qint64 batchMilliseconds = 50;
const qint64 syncPollMilliseconds = 5;

void warnFailed(const FileCopier::Result &result)
{
    qCWarning(lcCopy, "Could not copy %s to %s: %s", qUtf8Printable(result.source),
              qUtf8Printable(result.target), qUtf8Printable(result.error));
}

#ifdef Q_OS_LINUX
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

qint64 nanoseconds(const timespec &time) { return qint64(time.tv_sec) * 1000000000 + time.tv_nsec; }
#endif

QString folderOf(const QString &path)
{
    return path.left(qMax<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 0));
}
} // namespace

FileCopier::FileCopier() = default;

FileCopier::~FileCopier()
{
    finish();
    if (pool)
        pool->waitForDone();
}

QList<FileCopier::Result> FileCopier::takeResults()
{
    qsizetype ready = batch.isEmpty() ? results.size() : batch.first().result;
    if (!running.empty())
        ready = qMin(ready, running.front().result);
    QList<Result> taken = results.mid(0, ready);
    results.remove(0, ready);
    for (Pending &pending : batch)
        pending.result -= ready;
    for (Running &copy : running)
        copy.result -= ready;
    return taken;
}

void FileCopier::describe(Result &result, PickItem::Outcome outcome, int error, bool reading)
{
    result.outcome = outcome;
#ifdef Q_OS_LINUX
    // The reply to the last request may be what was lost, not the request.
    result.unsettled = error == ENOTCONN || error == ECONNABORTED || error == ECONNRESET
            || error == ESHUTDOWN || error == EHOSTDOWN || error == ETIMEDOUT;
#endif
    if (outcome == PickItem::Failed) {
        if (result.error.isEmpty())
            result.error = qt_error_string(error);
        if (result.reason.isEmpty())
            result.reason = plainReason(error, reading);
    }
}

void FileCopier::settle(qsizetype index, PickItem::Outcome outcome, int error, bool reading)
{
    describe(results[index], outcome, error, reading);
    if (outcome == PickItem::Failed)
        warnFailed(results.at(index));
}

QString FileCopier::plainReason(int error, bool reading)
{
    switch (error) {
#ifdef Q_OS_LINUX
    case ENOENT:
        return reading ? tr("the file is gone since the scan") : tr("the folder is gone");
    case EACCES:
    case EPERM:
        return reading ? tr("no permission to read it") : tr("no permission to write there");
    case ENOSPC:
    case EDQUOT:
        return tr("the disk is full");
    case EROFS:
        return tr("the disk is read-only");
    case ENAMETOOLONG:
        return tr("the name is too long for this disk");
    case EINVAL:
    case EILSEQ:
        return reading ? QString() : tr("the disk cannot store this name");
    case ENOTDIR:
        return tr("a file stands where a folder is needed");
    case ELOOP:
        return tr("the link leads in a circle");
    case EIO:
        return tr("the disk could not be read or written");
    case ENOTCONN:
    case ECONNABORTED:
    case ECONNRESET:
    case ESHUTDOWN:
    case EHOSTDOWN:
    case ETIMEDOUT:
        return tr("the connection to the share dropped");
#endif
    default:
        return qt_error_string(error);
    }
}

#ifdef Q_OS_LINUX

// Makes folder and its missing parents; returns 0 or the errno of the failure, remembered so
// that every folder is tried once per copier.
int FileCopier::makeFolder(const QString &folder)
{
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto known = folders.constFind(folder);
        if (known != folders.constEnd())
            return *known;
    }
    // Two copies may make the same folder at once: the second finds it there.
    int error = 0;
    bool made = false;
    const QByteArray path = QFile::encodeName(folder);
    if (!path.isEmpty() && ::mkdir(path.constData(), 0777) == 0) {
        made = true;
    } else if (!path.isEmpty()) {
        error = errno;
        if (error == ENOENT) {
            error = makeFolder(folderOf(folder));
            made = error == 0 && ::mkdir(path.constData(), 0777) == 0;
            if (error == 0 && !made)
                error = errno;
        }
        if (error == EEXIST) {
            struct stat st;
            error = ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
        }
    }
    const std::lock_guard<std::mutex> hold(lock);
    folders.insert(folder, error);
    if (made) {
        madeFolders.insert(folder);
        newFolders.append(folder);
    }
    return error;
}

QStringList FileCopier::takeNewFolders()
{
    const std::lock_guard<std::mutex> hold(lock);
    return std::exchange(newFolders, QStringList());
}

bool FileCopier::madeHere(const QString &folder)
{
    const std::lock_guard<std::mutex> hold(lock);
    return madeFolders.contains(folder);
}

// Copies the whole of in to out through the kernel where it can; returns 0 or an errno.
// The file at target is the same as a copy would be when it has the size and the
// modification time as the destination keeps it. Where the disk keeps coarse times (FAT: two
// seconds, a share: whole seconds), files shot a second apart can share one: there a time that
// differs within the disk's step is only taken as the same after comparing the contents.
PickItem::Outcome FileCopier::existingOutcome(const QByteArray &target, const QString &source,
                                              QString *reason)
{
    struct stat from;
    struct stat there;
    if (::stat(QFile::encodeName(source).constData(), &from) != 0
        || ::stat(target.constData(), &there) != 0 || there.st_size != from.st_size)
        return PickItem::Different;
    if (verifying) {
        *reason = tr("compared by content");
        return Verify::hashFile(target) == Verify::hashFile(QFile::encodeName(source))
                ? PickItem::Same
                : PickItem::Different;
    }
    const qint64 theirs = nanoseconds(there.st_mtim);
    const qint64 ours = nanoseconds(from.st_mtim);
    if (theirs == ours)
        return PickItem::Same;
    const qint64 step = disks.of(there.st_dev, QFile::decodeName(target)).timeStep;
    // A copy keeps the time cut down to the disk's step; fine steps are never shared by two
    // shots of one camera.
    const qint64 tenMilliseconds = 10000000;
    if (step <= tenMilliseconds && theirs == ours - (ours % step + step) % step)
        return PickItem::Same;
    if (qAbs(theirs - ours) >= step)
        return PickItem::Different;
    *reason = tr("compared byte for byte");
    return CopyData::sameContent(target, source) ? PickItem::Same : PickItem::Different;
}

void FileCopier::setThreads(int count)
{
    while (!running.empty())
        waitForOldest();
    threads = qMax(count, 0);
    if (threads > 0 && !pool)
        pool = std::make_unique<QThreadPool>();
    if (pool)
        pool->setMaxThreadCount(threads);
}

void FileCopier::setDestination(const QString &folder)
{
    setThreads(Disk::copyThreads(folder));
    finish();
    destination = QFile::encodeName(folder);
}

void FileCopier::copy(const QString &source, const QString &target)
{
    results.append(Result {PickItem::Failed, source, target});
    const qsizetype index = results.size() - 1;
    if (threads == 0)
        return accept(index, prepare(source, target, true));
    // No more copies under way than threads: each one started is a file in hand.
    while (running.size() >= size_t(threads))
        waitForOldest();
    auto task = std::make_shared<std::packaged_task<Prepared()>>(
            [this, source, target] { return prepare(source, target, false); });
    running.push_back(Running {index, task->get_future()});
    pool->start([task] { (*task)(); });
    while (!running.empty()
           && running.front().prepared.wait_for(std::chrono::seconds(0))
                   == std::future_status::ready)
        waitForOldest();
}

void FileCopier::waitForOldest()
{
    std::future<Prepared> &oldest = running.front().prepared;
    while (oldest.wait_for(std::chrono::milliseconds(syncPollMilliseconds))
           != std::future_status::ready) {
        if (keepResponsive)
            keepResponsive();
    }
    const qsizetype index = running.front().result;
    Prepared prepared = oldest.get();
    running.pop_front();
    accept(index, std::move(prepared));
}

void FileCopier::accept(qsizetype index, Prepared prepared)
{
    // Out of descriptors: the batch's files hold many; linking them frees them.
    if ((prepared.error == EMFILE || prepared.error == ENFILE) && !batch.isEmpty()) {
        commitBatch();
        prepared = prepare(prepared.result.source, prepared.result.target, true);
    }
    results[index] = prepared.result;
    if (prepared.pending.fd < 0) {
        if (prepared.result.outcome == PickItem::Failed)
            warnFailed(prepared.result);
        return;
    }
    prepared.pending.result = index;
    if (batch.isEmpty())
        batchAge.start();
    batch.append(prepared.pending);
    if (batch.size() >= batchFiles || batchAge.elapsed() >= batchMilliseconds)
        commitBatch();
}

FileCopier::Prepared FileCopier::prepare(const QString &source, const QString &target,
                                         bool callsBack, bool staged)
{
    Prepared prepared;
    Result &result = prepared.result;
    result = Result {PickItem::Failed, source, target};
    const auto fail = [&prepared](int error, bool reading) {
        prepared.error = error;
        describe(prepared.result, PickItem::Failed, error, reading);
        return prepared;
    };
    const QByteArray targetPath = QFile::encodeName(target);
    const QString folder = folderOf(target);

    // In a folder this copier made the link alone tells: on a share each look costs a round trip.
    struct stat st;
    if (!madeHere(folder) && ::lstat(targetPath.constData(), &st) == 0) {
        result.outcome = existingOutcome(targetPath, source, &result.reason);
        return prepared;
    }

    // O_NONBLOCK: a named pipe in the tree must not hang the copy.
    const int in = ::open(QFile::encodeName(source).constData(),
                          O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (in < 0)
        return fail(errno, true);
    if (::fstat(in, &st) != 0) {
        const int error = errno;
        ::close(in);
        return fail(error, true);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(in);
        result.error = QStringLiteral("not a regular file");
        result.reason = tr("not a regular file");
        return fail(0, true);
    }
    result.bytes = st.st_size;
    result.modified = nanoseconds(st.st_mtim);

    Pending &pending = prepared.pending;
    int error = makeFolder(folder);
    if (error == 0)
        error = openTemporary(folder, st.st_mode & 0777, staged, pending);
    if (error != 0) {
        ::close(in);
        return fail(error, false);
    }

    const std::function<void()> betweenSteps = callsBack ? keepResponsive : nullptr;
    error = verifying ? Verify::copy(in, pending.fd, bytesWritten, betweenSteps, &result.checksum)
                      : CopyData::copy(in, pending.fd, bytesWritten, betweenSteps);
    ::close(in);
    if (error == 0) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        if (::futimens(pending.fd, times) != 0)
            qCWarning(lcCopy, "Could not set the modification time of %s: %s",
                      targetPath.constData(), qUtf8Printable(qt_error_string(errno)));
        struct stat written;
        if (::fstat(pending.fd, &written) == 0)
            pending.device = written.st_dev;
        else
            error = errno;
    }
    if (error == 0 && verifying)
        error = Verify::checkCopy(pending.fd, result.checksum, result);
    // Where a sync of the whole disk does not reach the storage (a share, a FUSE driver),
    // each file is made durable itself; a share passes this on to its server.
    if (error == 0 && !disks.of(pending.device, folder).syncsWhole && ::fsync(pending.fd) != 0)
        error = errno;
    if (error != 0) {
        ::close(pending.fd);
        pending.fd = -1;
        if (!pending.temporaryName.isEmpty())
            ::unlink(pending.temporaryName.constData());
        return fail(error, false);
    }
    return prepared;
}

// Opens the file a copy is written to, unnamed where the disk allows; returns 0 or an errno.
int FileCopier::openTemporary(const QString &folder, unsigned mode, bool staged, Pending &pending)
{
    const QByteArray folderPath
            = QFile::encodeName(folder.isEmpty() ? QStringLiteral("/") : folder);
    // A verified copy is read back through the descriptor it was written by.
    const int access = verifying ? O_RDWR : O_WRONLY;
    if (!useTemporaryNames)
        pending.fd = ::open(folderPath.constData(), O_TMPFILE | access | O_CLOEXEC, mode);
    if (pending.fd >= 0)
        return 0;
    if (!useTemporaryNames && errno != EOPNOTSUPP && errno != EISDIR)
        return errno;
    // No unnamed files here: the copy waits in a staging folder, below the destination where
    // there is one, so that the target's folder sees nothing but the final name.
    int error = 0;
    QByteArray place;
    if (staged && !destination.isEmpty())
        place = staging.take(destination, &error);
    if (place.isEmpty())
        place = staging.take(folderPath, &error);
    if (place.isEmpty())
        return error;
    for (int attempt = 0; attempt < 10 && pending.fd < 0; ++attempt) {
        pending.temporaryName = Staging::newName(place);
        pending.fd = ::open(pending.temporaryName.constData(),
                            O_CREAT | O_EXCL | access | O_CLOEXEC, mode);
        error = pending.fd < 0 ? errno : 0;
        if (error != EEXIST)
            break;
    }
    staging.release(place);
    return error;
}

Staging::Removed FileCopier::removeLeftovers(const QString &folder)
{
    Staging::Removed removed;
    runAside([&removed, &folder] { removed = Staging::sweep(folder); });
    return removed;
}

// Runs work on a thread of its own while the window handles its events.
void FileCopier::runAside(const std::function<void()> &work)
{
    if (!keepResponsive)
        return work();
    const std::unique_ptr<QThread> worker(QThread::create(work));
    worker->start();
    while (!worker->wait(QDeadlineTimer(syncPollMilliseconds)))
        keepResponsive();
}

void FileCopier::commitBatch()
{
    // One sync per file system makes the data of the whole batch durable before any name, and
    // the names of the batches before; files on disks that sync file by file are durable.
    QHash<quint64, int> descriptors;
    for (const Pending &pending : std::as_const(batch)) {
        if (!descriptors.contains(pending.device) && disks.of(pending.device, QString()).syncsWhole)
            descriptors.insert(pending.device, pending.fd);
    }
    QHash<quint64, int> syncErrors;
    const auto syncAll = [&descriptors, &syncErrors] {
        for (auto it = descriptors.cbegin(); it != descriptors.cend(); ++it)
            syncErrors.insert(it.key(), ::syncfs(it.value()) == 0 ? 0 : errno);
    };
    // A slow disk can take seconds to sync.
    runAside(syncAll);
    for (auto it = descriptors.cbegin(); it != descriptors.cend(); ++it)
        unsynced.remove(it.key());
    const std::vector<int> errors = linkBatch(syncErrors);
    // The new names: on disks that sync file by file their folders are synced now, elsewhere
    // the next sync of the disk takes them.
    QSet<QByteArray> folderSyncs;
    for (qsizetype i = 0; i < batch.size(); ++i) {
        if (errors[size_t(i)] != 0)
            continue;
        const QByteArray folder
                = QFile::encodeName(folderOf(results.at(batch.at(i).result).target));
        if (disks.of(batch.at(i).device, QString()).syncsWhole)
            unsynced.insert(batch.at(i).device, folder);
        else
            folderSyncs.insert(folder);
    }
    if (!folderSyncs.isEmpty())
        runAside([&folderSyncs] { syncFolders(folderSyncs.values(), ::fsync, true); });
    for (qsizetype i = 0; i < batch.size(); ++i) {
        const qsizetype index = batch.at(i).result;
        const int error = errors[size_t(i)] == EXDEV ? copyUnstaged(index) : errors[size_t(i)];
        if (error == EEXIST)
            settle(index,
                   existingOutcome(QFile::encodeName(results.at(index).target),
                                   results.at(index).source, &results[index].reason));
        else
            settle(index, error == 0 ? PickItem::Copied : PickItem::Failed, error);
    }
    batch.clear();
}

void FileCopier::syncNames()
{
    if (unsynced.isEmpty())
        return;
    const QList<QByteArray> folders = unsynced.values();
    unsynced.clear();
    runAside([&folders] { syncFolders(folders, ::syncfs, false); });
}

// Links the batch's files to their names on the pool's threads, where there are any, while
// the window handles its events: a link can wait for a busy disk or a round trip. Returns the
// errno of each.
std::vector<int> FileCopier::linkBatch(const QHash<quint64, int> &syncErrors)
{
    // A share's client changes a folder one request at a time: the links go round the
    // folders, so that the threads rarely wait for each other.
    std::vector<qsizetype> order(size_t(batch.size()));
    {
        QHash<QString, qsizetype> seen;
        std::vector<qsizetype> round(order.size());
        for (qsizetype i = 0; i < batch.size(); ++i) {
            order[size_t(i)] = i;
            round[size_t(i)] = seen[folderOf(results.at(batch.at(i).result).target)]++;
        }
        std::stable_sort(order.begin(), order.end(),
                         [&round](qsizetype a, qsizetype b) { return round[a] < round[b]; });
    }
    std::vector<int> errors(batch.size());
    std::atomic<size_t> next {0};
    // On the window's thread (no pool) the window's events run between two links.
    const auto linkSome = [this, &errors, &next, &order, &syncErrors](bool here) {
        for (size_t k; (k = next.fetch_add(1)) < order.size();) {
            const Pending &pending = batch.at(order[k]);
            errors[size_t(order[k])] = linkPending(pending, syncErrors.value(pending.device));
            if (here && keepResponsive)
                keepResponsive();
        }
    };
    if (!pool || threads == 0) {
        linkSome(true);
        return errors;
    }
    std::vector<std::future<void>> helpers;
    for (int helper = 0; helper < qMin<qsizetype>(threads, batch.size()); ++helper) {
        auto task = std::make_shared<std::packaged_task<void()>>([&linkSome] { linkSome(false); });
        helpers.push_back(task->get_future());
        pool->start([task] { (*task)(); });
    }
    for (std::future<void> &helper : helpers) {
        while (helper.wait_for(std::chrono::milliseconds(syncPollMilliseconds))
               != std::future_status::ready) {
            if (keepResponsive)
                keepResponsive();
        }
    }
    return errors;
}

int FileCopier::copyUnstaged(qsizetype index)
{
    const Result &result = results.at(index);
    Prepared again = prepare(result.source, result.target, true, false);
    if (again.pending.fd < 0)
        return again.error;
    again.pending.result = index;
    const int error = linkPending(again.pending, ::fsync(again.pending.fd) == 0 ? 0 : errno);
    if (error == 0)
        unsynced.insert(again.pending.device, QFile::encodeName(folderOf(result.target)));
    return error;
}

int FileCopier::linkPending(const Pending &pending, int syncError)
{
    const QByteArray target = QFile::encodeName(results.at(pending.result).target);
    if (syncError == 0)
        return naming.give(pending.fd, pending.temporaryName, pending.device, target);
    ::close(pending.fd);
    if (!pending.temporaryName.isEmpty())
        ::unlink(pending.temporaryName.constData());
    return syncError;
}

void FileCopier::finish()
{
    while (!running.empty())
        waitForOldest();
    if (!batch.isEmpty())
        commitBatch();
    // "Finished." only once the names are as durable as the files.
    syncNames();
    // Each removal waits for a round trip on a share.
    runAside([this] { staging.clear(); });
}

#else

int FileCopier::makeFolder(const QString &folder)
{
    if (!folders.contains(folder))
        folders.insert(folder, QDir().mkpath(folder) ? 0 : 1);
    return folders.value(folder);
}

void FileCopier::copy(const QString &source, const QString &target)
{
    results.append(Result {PickItem::Failed, source, target});
    const qsizetype index = results.size() - 1;
    const QFileInfo existing(target);
    if (existing.exists() || existing.isSymLink())
        return settle(index, PickItem::Same);
    makeFolder(folderOf(target));
    QFile file(source);
    if (file.copy(target))
        return settle(index, PickItem::Copied);
    results[index].error = file.errorString();
    settle(index, PickItem::Failed);
}

void FileCopier::setThreads(int) { }

void FileCopier::setDestination(const QString &) { }

Staging::Removed FileCopier::removeLeftovers(const QString &) { return Staging::Removed(); }

void FileCopier::finish() { }

#endif
