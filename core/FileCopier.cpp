#include "FileCopier.h"

#include "app/Logging.h"

#include "companion/DirWalker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// A batch is made durable when it holds this many files or is this old.
const qsizetype batchFiles = 256;
const qint64 batchMilliseconds = 50;
const qsizetype bufferSize = 256 * 1024;
const qint64 syncPollMilliseconds = 5;

void warnFailed(const FileCopier::Result &result)
{
    qCWarning(lcCopy, "Could not copy %s to %s: %s", qUtf8Printable(result.source),
              qUtf8Printable(result.target), qUtf8Printable(result.error));
}

QString folderOf(const QString &path)
{
    return path.left(qMax<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 0));
}
} // namespace

FileCopier::FileCopier()
{
#ifdef Q_OS_LINUX
    // The clock file times come from, so that a file made after this is never older.
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    started = qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
#endif
}

FileCopier::~FileCopier()
{
    finish();
    if (pool)
        pool->waitForDone();
}

int FileCopier::threadsFor(const QString &folder)
{
    // Each copy onto a share waits for round trips (create, write, close): a few under way at
    // once hide them. A local disk gains nothing and keeps the order it writes in.
    return Mv::DirWalker::isRemote(folder) ? 8 : 1;
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

void FileCopier::describe(Result &result, Outcome outcome, int error, bool reading)
{
    result.outcome = outcome;
    if (outcome == Failed) {
        if (result.error.isEmpty())
            result.error = qt_error_string(error);
        if (result.reason.isEmpty())
            result.reason = plainReason(error, reading);
    }
}

void FileCopier::settle(qsizetype index, Outcome outcome, int error, bool reading)
{
    describe(results[index], outcome, error, reading);
    if (outcome == Failed)
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
    const QByteArray path = QFile::encodeName(folder);
    if (!path.isEmpty() && ::mkdir(path.constData(), 0777) != 0) {
        error = errno;
        if (error == ENOENT) {
            error = makeFolder(folderOf(folder));
            if (error == 0 && ::mkdir(path.constData(), 0777) != 0)
                error = errno;
        }
        if (error == EEXIST) {
            struct stat st;
            error = ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
        }
    }
    const std::lock_guard<std::mutex> hold(lock);
    folders.insert(folder, error);
    return error;
}

// Copies the whole of in to out through the kernel where it can; returns 0 or an errno.
namespace {
const ssize_t copyStep = 8 << 20;
} // namespace

int FileCopier::copyData(int in, int out, bool callsBack)
{
    if (::ioctl(out, FICLONE, in) == 0) {
        struct stat st;
        if (::fstat(in, &st) == 0)
            bytesWritten += st.st_size;
        return 0;
    }
    // Large files go in steps: their write-back starts early, so the batch's sync is short,
    // and the window gets its events in between.
    const auto stepDone = [this, out, callsBack] {
        ::sync_file_range(out, 0, 0, SYNC_FILE_RANGE_WRITE);
        if (callsBack && keepResponsive)
            keepResponsive();
    };
    bool copied = false;
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, copyStep, 0);
        if (n > 0) {
            copied = true;
            bytesWritten += n;
            if (n == copyStep)
                stepDone();
            continue;
        }
        if (n == 0 && copied)
            return 0;
        if (n < 0 && errno == EINTR)
            continue;
        // Not possible between these two files, or nothing moved (some file systems report
        // 0 instead of failing): go on by hand from where the file positions stand.
        if (n == 0 || errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP
            || errno == EPERM)
            break;
        return errno;
    }
    // One per thread: copies under way at once each need their own.
    static thread_local QByteArray buffer;
    if (buffer.isEmpty())
        buffer.resize(bufferSize);
    qint64 sinceStep = 0;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0)
            return 0;
        if ((sinceStep += qMax<ssize_t>(n, 0)) >= copyStep) {
            stepDone();
            sinceStep = 0;
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t written = 0; written < n;) {
            const ssize_t w = ::write(out, buffer.constData() + written, n - written);
            if (w < 0 && errno != EINTR)
                return errno;
            written += qMax<ssize_t>(w, 0);
            bytesWritten += qMax<ssize_t>(w, 0);
        }
    }
}

// The file at target is the same as a copy would be when it has the size and the
// modification time as the destination can keep it: NTFS keeps 100 ns, exFAT 10 ms, and
// file systems that keep whole seconds only (FAT: two) may round it.
FileCopier::Outcome FileCopier::existingOutcome(const QByteArray &target, const QString &source)
{
    struct stat from;
    struct stat there;
    if (::stat(QFile::encodeName(source).constData(), &from) != 0
        || ::stat(target.constData(), &there) != 0 || there.st_size != from.st_size)
        return ExistsDifferent;
    const timespec &a = there.st_mtim;
    const timespec &b = from.st_mtim;
    const qint64 apart = qAbs((qint64(a.tv_sec) - b.tv_sec) * 1000000000 + a.tv_nsec - b.tv_nsec);
    const bool same = apart < 10000000
            || ((a.tv_nsec == 0 || b.tv_nsec == 0) && qAbs(a.tv_sec - b.tv_sec) <= 2);
    return same ? AlreadyExists : ExistsDifferent;
}

void FileCopier::setThreads(int count)
{
    while (!running.empty())
        waitForOldest();
    threads = qMax(count, 1);
    if (threads > 1 && !pool)
        pool = std::make_unique<QThreadPool>();
    if (pool)
        pool->setMaxThreadCount(threads);
}

void FileCopier::copy(const QString &source, const QString &target)
{
    results.append(Result {source, target, Failed, QString(), QString(), 0});
    const qsizetype index = results.size() - 1;
    if (threads == 1)
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
        if (prepared.result.outcome == Failed)
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
                                         bool callsBack)
{
    Prepared prepared;
    Result &result = prepared.result;
    result = Result {source, target, Failed, QString(), QString(), 0};
    const auto fail = [&prepared](int error, bool reading) {
        prepared.error = error;
        describe(prepared.result, Failed, error, reading);
        return prepared;
    };
    const QByteArray targetPath = QFile::encodeName(target);

    struct stat st;
    if (::lstat(targetPath.constData(), &st) == 0) {
        result.outcome = existingOutcome(targetPath, source);
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

    const QString folder = folderOf(target);
    if (const int error = makeFolder(folder)) {
        ::close(in);
        return fail(error, false);
    }

    const QByteArray folderPath
            = QFile::encodeName(folder.isEmpty() ? QStringLiteral("/") : folder);
    const mode_t mode = st.st_mode & 0777;
    Pending &pending = prepared.pending;
    if (!useTemporaryNames)
        pending.fd = ::open(folderPath.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (pending.fd < 0 && (useTemporaryNames || errno == EOPNOTSUPP || errno == EISDIR)) {
        // No unnamed files here: a hidden name ending in ".trovella", which a scan never
        // lists, stands in until the copy is durable.
        removeLeftovers(folderPath);
        for (int attempt = 0; attempt < 10 && pending.fd < 0; ++attempt) {
            const QByteArray name = "."
                    + QByteArray::number(QRandomGenerator::global()->generate64(), 16)
                    + ".trovella";
            pending.temporaryName = folderPath + '/' + name;
            // Claimed before it exists: a sweep of the folder on another thread must never
            // meet it unclaimed.
            {
                const std::lock_guard<std::mutex> hold(lock);
                ownTemporaries.insert(name);
            }
            pending.fd = ::open(pending.temporaryName.constData(),
                                O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode);
            if (pending.fd < 0) {
                const int error = errno;
                forgetTemporary(name);
                errno = error;
                if (error != EEXIST)
                    break;
            }
        }
    }
    if (pending.fd < 0) {
        const int error = errno;
        ::close(in);
        return fail(error, false);
    }

    int error = copyData(in, pending.fd, callsBack);
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
    if (error != 0) {
        ::close(pending.fd);
        pending.fd = -1;
        if (!pending.temporaryName.isEmpty()) {
            ::unlink(pending.temporaryName.constData());
            forgetTemporary(pending.temporaryName);
        }
        return fail(error, false);
    }
    return prepared;
}

void FileCopier::forgetTemporary(const QByteArray &name)
{
    const std::lock_guard<std::mutex> hold(lock);
    ownTemporaries.remove(name.mid(name.lastIndexOf('/') + 1));
}

namespace {
// ".<hex>.trovella", as copy() names its temporaries.
bool isTemporaryName(const char *name)
{
    const size_t length = std::strlen(name);
    const size_t suffix = sizeof(".trovella") - 1;
    if (name[0] != '.' || length < suffix + 2 || length > suffix + 17
        || std::strcmp(name + length - suffix, ".trovella") != 0)
        return false;
    return std::all_of(name + 1, name + length - suffix,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}
} // namespace

// A pick that was killed leaves its temporaries behind, full-size: the next pick into the
// folder removes those older than itself, and nothing else.
void FileCopier::removeLeftovers(const QByteArray &folder)
{
    {
        const std::lock_guard<std::mutex> hold(lock);
        if (swept.contains(folder))
            return;
        swept.insert(folder);
    }
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    // Never this copier's own temporaries that wait for their names: a folder named in two
    // spellings (FAT) is swept once for each, and where the change time is only the
    // modification time (FAT, sshfs), which a copy takes from its source, they look old.
    // Asked after the times: a copy under way claims its name before it sets them.
    const auto own = [this](const char *name) {
        const std::lock_guard<std::mutex> hold(lock);
        return ownTemporaries.contains(QByteArray(name));
    };
    while (const dirent *entry = ::readdir(dir)) {
        struct stat st;
        if (!isTemporaryName(entry->d_name)
            || ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0
            || !S_ISREG(st.st_mode)
            || qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec >= started
            || own(entry->d_name))
            continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0)
            qCInfo(lcCopy, "Removed %s/%s, left by an earlier copy", folder.constData(),
                   entry->d_name);
        else
            qCWarning(lcCopy, "Could not remove %s/%s, left by an earlier copy: %s",
                      folder.constData(), entry->d_name, qUtf8Printable(qt_error_string(errno)));
    }
    ::closedir(dir);
}

void FileCopier::commitBatch()
{
    // One sync per file system makes the data of the whole batch durable before any name.
    QHash<quint64, int> descriptors;
    for (const Pending &pending : std::as_const(batch)) {
        if (!descriptors.contains(pending.device))
            descriptors.insert(pending.device, pending.fd);
    }
    QHash<quint64, int> syncErrors;
    const auto syncAll = [&descriptors, &syncErrors] {
        for (auto it = descriptors.cbegin(); it != descriptors.cend(); ++it)
            syncErrors.insert(it.key(), ::syncfs(it.value()) == 0 ? 0 : errno);
    };
    if (keepResponsive) {
        // A slow disk can take seconds to sync: the window handles its events meanwhile.
        const std::unique_ptr<QThread> syncer(QThread::create(syncAll));
        syncer->start();
        while (!syncer->wait(QDeadlineTimer(syncPollMilliseconds)))
            keepResponsive();
    } else {
        syncAll();
    }
    // Each link waits for round trips on a share: the pool's threads link too, and the
    // results settle in order afterwards.
    std::vector<int> errors(batch.size());
    std::atomic<qsizetype> next {0};
    const auto linkSome = [this, &errors, &next, &syncErrors] {
        for (qsizetype i; (i = next.fetch_add(1)) < batch.size();)
            errors[i] = linkPending(batch.at(i), syncErrors.value(batch.at(i).device));
    };
    std::vector<std::future<void>> helpers;
    for (int helper = 1; pool && helper < qMin<qsizetype>(threads, batch.size()); ++helper) {
        auto task = std::make_shared<std::packaged_task<void()>>(linkSome);
        helpers.push_back(task->get_future());
        pool->start([task] { (*task)(); });
    }
    linkSome();
    for (std::future<void> &helper : helpers) {
        while (helper.wait_for(std::chrono::milliseconds(syncPollMilliseconds))
               != std::future_status::ready) {
            if (keepResponsive)
                keepResponsive();
        }
    }
    for (qsizetype i = 0; i < batch.size(); ++i) {
        const qsizetype index = batch.at(i).result;
        if (errors[i] == EEXIST)
            settle(index,
                   existingOutcome(QFile::encodeName(results.at(index).target),
                                   results.at(index).source));
        else
            settle(index, errors[i] == 0 ? Copied : Failed, errors[i]);
    }
    batch.clear();
}

namespace {

int claimAndRename(const char *temporary, const QByteArray &target)
{
    const int claim = ::open(target.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (claim < 0)
        return errno;
    ::close(claim);
    if (::rename(temporary, target.constData()) == 0)
        return 0;
    const int error = errno;
    ::unlink(target.constData());
    return error;
}

} // namespace

int FileCopier::linkPending(const Pending &pending, int syncError)
{
    const QByteArray target = QFile::encodeName(results.at(pending.result).target);
    const char *temporary = pending.temporaryName.constData();
    int error = syncError;
    if (error == 0 && pending.temporaryName.isEmpty()) {
        if (::linkat(pending.fd, "", AT_FDCWD, target.constData(), AT_EMPTY_PATH) != 0) {
            error = errno;
            // Without the right to link by descriptor, link through its /proc name.
            if (error == ENOENT || error == EPERM) {
                const QByteArray proc = "/proc/self/fd/" + QByteArray::number(pending.fd);
                error = ::linkat(AT_FDCWD, proc.constData(), AT_FDCWD, target.constData(),
                                 AT_SYMLINK_FOLLOW)
                                == 0
                        ? 0
                        : errno;
            }
        }
    } else if (error == 0) {
        // Asked once per disk: on a share each refusal costs a round trip.
        bool tryRename;
        {
            const std::lock_guard<std::mutex> hold(lock);
            tryRename = !noRenameWithoutReplacing.contains(pending.device);
        }
        bool renamed = tryRename
                && ::renameat2(AT_FDCWD, temporary, AT_FDCWD, target.constData(), RENAME_NOREPLACE)
                        == 0;
        error = renamed ? 0 : tryRename ? errno : EINVAL;
        if (tryRename && (error == EINVAL || error == ENOSYS)) {
            const std::lock_guard<std::mutex> hold(lock);
            noRenameWithoutReplacing.insert(pending.device);
        }
        // link() never replaces either, where renaming without replacing is not offered
        // (sshfs, NFS, ntfs-3g); the temporary name goes once the target name stands.
        if (error == EINVAL || error == ENOSYS)
            error = ::link(temporary, target.constData()) == 0 ? 0 : errno;
        // Some FUSE file systems (FAT, exFAT) offer neither: claim the name with an empty
        // file no one else can take, then rename the whole copy over that claim.
        if (error == EPERM || error == EOPNOTSUPP || error == ENOSYS) {
            error = claimAndRename(temporary, target);
            renamed = error == 0;
        }
        if (renamed)
            temporary = nullptr;
    }
    ::close(pending.fd);
    if (temporary && *temporary && ::unlink(temporary) != 0)
        qCWarning(lcCopy, "Could not remove the temporary file %s: %s", temporary,
                  qUtf8Printable(qt_error_string(errno)));
    if (!pending.temporaryName.isEmpty())
        forgetTemporary(pending.temporaryName);
    return error;
}

void FileCopier::finish()
{
    while (!running.empty())
        waitForOldest();
    if (!batch.isEmpty())
        commitBatch();
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
    results.append(Result {source, target, Failed, QString()});
    const qsizetype index = results.size() - 1;
    const QFileInfo existing(target);
    if (existing.exists() || existing.isSymLink())
        return settle(index, AlreadyExists);
    makeFolder(folderOf(target));
    QFile file(source);
    if (file.copy(target))
        return settle(index, Copied);
    results[index].error = file.errorString();
    settle(index, Failed);
}

void FileCopier::setThreads(int) { }

void FileCopier::finish() { }

#endif
