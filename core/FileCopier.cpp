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
void warnFailed(const FileCopier::Result &result)
{
    qCWarning(lcCopy, "Could not copy %s to %s: %s", qUtf8Printable(result.source),
              qUtf8Printable(result.target), qUtf8Printable(result.error));
}

#ifdef Q_OS_LINUX
qint64 nanoseconds(const timespec &time) { return qint64(time.tv_sec) * 1000000000 + time.tv_nsec; }
#endif
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
    qsizetype ready = batch.isEmpty() ? results.size() : batch.firstResult();
    if (!running.empty())
        ready = qMin(ready, running.front().result);
    QList<Result> taken = results.mid(0, ready);
    results.remove(0, ready);
    batch.shift(ready);
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

QStringList FileCopier::takeNewFolders() { return folders.takeNew(); }

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

void FileCopier::setVerify(bool on)
{
    verifying = on;
    if (on && threads < 2)
        setThreads(2);
}

void FileCopier::setDestination(const QString &folder)
{
    setThreads(verifying ? qMax(Disk::copyThreads(folder), 2) : Disk::copyThreads(folder));
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
    Batch::await(oldest, keepResponsive);
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
    if (batch.add(prepared.pending))
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
    const QString folder = Folders::of(target);

    // In a folder this copier made the link alone tells: on a share each look costs a round trip.
    struct stat st;
    if (!folders.madeHere(folder) && ::lstat(targetPath.constData(), &st) == 0) {
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

    Batch::Copy &pending = prepared.pending;
    pending.target = targetPath;
    pending.folder = QFile::encodeName(folder);
    int error = folders.make(folder);
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
int FileCopier::openTemporary(const QString &folder, unsigned mode, bool staged,
                              Batch::Copy &pending)
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
    Batch::runAside([&removed, &folder] { removed = Staging::sweep(folder); }, keepResponsive);
    return removed;
}

void FileCopier::commitBatch()
{
    for (const auto &[index, named] : batch.commit(pool.get(), threads)) {
        const int error = named == EXDEV ? copyUnstaged(index) : named;
        if (error == EEXIST)
            settle(index,
                   existingOutcome(QFile::encodeName(results.at(index).target),
                                   results.at(index).source, &results[index].reason));
        else
            settle(index, error == 0 ? PickItem::Copied : PickItem::Failed, error);
    }
}

int FileCopier::copyUnstaged(qsizetype index)
{
    const Result &result = results.at(index);
    Prepared again = prepare(result.source, result.target, true, false);
    if (again.pending.fd < 0)
        return again.error;
    again.pending.result = index;
    return batch.nameAlone(again.pending);
}

void FileCopier::finish()
{
    while (!running.empty())
        waitForOldest();
    if (!batch.isEmpty())
        commitBatch();
    // "Finished." only once the names are as durable as the files.
    batch.syncNames();
    // Each removal waits for a round trip on a share.
    Batch::runAside([this] { staging.clear(); }, keepResponsive);
}

#else

void FileCopier::copy(const QString &source, const QString &target)
{
    results.append(Result {PickItem::Failed, source, target});
    const qsizetype index = results.size() - 1;
    const QFileInfo existing(target);
    if (existing.exists() || existing.isSymLink())
        return settle(index, PickItem::Same);
    folders.make(Folders::of(target));
    QFile file(source);
    if (file.copy(target))
        return settle(index, PickItem::Copied);
    results[index].error = file.errorString();
    settle(index, PickItem::Failed);
}

void FileCopier::setThreads(int) { }

void FileCopier::setDestination(const QString &) { }

void FileCopier::setVerify(bool on) { verifying = on; }

Staging::Removed FileCopier::removeLeftovers(const QString &) { return Staging::Removed(); }

void FileCopier::finish() { }

#endif
