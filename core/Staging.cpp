#include "Staging.h"

#include "core/Logging.h"

#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QSysInfo>

#include <chrono>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const char prefix[] = ".trovella-staging-";
const size_t prefixLength = sizeof(prefix) - 1;
const size_t hexDigits = 16;
const char leaseName[] = "lease";
const QByteArray leaseMagic = "Trovella staging lease\n";
// The owner rewrites its lease this often; a lease untouched for much longer is stale.
const std::chrono::seconds leaseRefresh(30);
const qint64 staleNanoseconds = qint64(5) * 60 * 1000000000;
// Each folder read on a share waits for round trips: a destination of very many folders has
// only this many looked into.
const size_t subfoldersSwept = 256;

QByteArray hexName()
{
    return QByteArray::number(QRandomGenerator::global()->generate64(), 16)
            .rightJustified(hexDigits, '0');
}

bool isHex(const char *begin, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const char c = begin[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

QByteArray leaseText()
{
    return leaseMagic + "machine " + QSysInfo::machineUniqueId() + "\nboot "
            + QSysInfo::bootUniqueId() + "\npid " + QByteArray::number(qint64(::getpid())) + '\n';
}

QByteArray leaseField(const QByteArray &text, const QByteArray &key)
{
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith(key + ' '))
            return line.mid(key.size() + 1);
    }
    return QByteArray();
}

#ifdef Q_OS_UNIX
qint64 nanoseconds(const timespec &time) { return qint64(time.tv_sec) * 1000000000 + time.tv_nsec; }

// A FUSE driver keeps a file removed while still open under such a name until the kernel's
// late word that it is closed, which follows a close() by a moment.
bool isFuseHidden(const char *name) { return std::strncmp(name, ".fuse_hidden", 12) == 0; }

bool removeEmptyFolder(const QByteArray &path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::rmdir(path.constData()) == 0)
            return true;
        if (errno != ENOTEMPTY && errno != EEXIST)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}
#endif
} // namespace

bool Staging::isStagingName(const char *name)
{
    return std::strlen(name) == prefixLength + hexDigits
            && std::strncmp(name, prefix, prefixLength) == 0
            && isHex(name + prefixLength, hexDigits);
}

QByteArray Staging::newName(const QByteArray &folder) { return folder + '/' + hexName(); }

#ifdef Q_OS_UNIX

Staging::~Staging()
{
    clear();
    {
        const std::lock_guard<std::mutex> hold(lock);
        stopping = true;
    }
    wake.notify_all();
    if (leaseKeeper.joinable())
        leaseKeeper.join();
}

QByteArray Staging::take(const QByteArray &parent, int *error)
{
    {
        const std::lock_guard<std::mutex> hold(lock);
        for (Folder &folder : folders) {
            if (folder.idle && folder.parent == parent) {
                folder.idle = false;
                return folder.path;
            }
        }
    }
    return make(parent, error);
}

QByteArray Staging::make(const QByteArray &parent, int *error)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        const QByteArray path = parent + '/' + prefix + hexName();
        if (::mkdir(path.constData(), 0700) != 0) {
            *error = errno;
            if (*error == EEXIST)
                continue;
            qCInfo(lcCopy, "Could not make the staging folder %s: %s", path.constData(),
                   qUtf8Printable(qt_error_string(*error)));
            return QByteArray();
        }
        // Locked before it says whose it is: a lease that names its owner is a held one.
        const QByteArray leasePath = path + '/' + leaseName;
        const int lease
                = ::open(leasePath.constData(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
        const QByteArray text = leaseText();
        if (lease < 0 || ::flock(lease, LOCK_EX | LOCK_NB) != 0
            || ::pwrite(lease, text.constData(), size_t(text.size()), 0) != text.size()) {
            *error = errno;
            if (lease >= 0) {
                ::close(lease);
                ::unlink(leasePath.constData());
            }
            ::rmdir(path.constData());
            qCInfo(lcCopy, "Could not start the staging folder %s: %s", path.constData(),
                   qUtf8Printable(qt_error_string(*error)));
            return QByteArray();
        }
        const std::lock_guard<std::mutex> hold(lock);
        folders.push_back(Folder {path, parent, lease, false});
        if (!leaseKeeper.joinable())
            leaseKeeper = std::thread([this] { keepLeases(); });
        return path;
    }
    return QByteArray();
}

void Staging::release(const QByteArray &path)
{
    const std::lock_guard<std::mutex> hold(lock);
    for (Folder &folder : folders) {
        if (folder.path == path)
            folder.idle = true;
    }
}

void Staging::keepLeases()
{
    const QByteArray text = leaseText();
    std::unique_lock<std::mutex> hold(lock);
    while (!wake.wait_for(hold, leaseRefresh, [this] { return stopping; })) {
        for (const Folder &folder : folders) {
            // A rewrite sets the lease's time by the clock of the disk's own host.
            if (::pwrite(folder.lease, text.constData(), size_t(text.size()), 0) != text.size())
                qCInfo(lcCopy, "Could not renew the lease of %s: %s", folder.path.constData(),
                       qUtf8Printable(qt_error_string(errno)));
        }
    }
}

void Staging::clear()
{
    std::vector<Folder> made;
    {
        const std::lock_guard<std::mutex> hold(lock);
        made.swap(folders);
    }
    for (const Folder &folder : made) {
        // The lease goes only from an otherwise empty folder: whatever a failed copy left
        // stays proven ours, for a later pick to remove once this process is gone.
        bool empty = true;
        if (DIR *dir = ::opendir(folder.path.constData())) {
            while (const dirent *entry = ::readdir(dir)) {
                const char *name = entry->d_name;
                if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0
                    && std::strcmp(name, leaseName) != 0 && !isFuseHidden(name))
                    empty = false;
            }
            ::closedir(dir);
        }
        // Closed first: a FUSE driver keeps an open file that is removed under a hidden name.
        ::close(folder.lease);
        if (!empty || ::unlink((folder.path + '/' + leaseName).constData()) != 0
            || !removeEmptyFolder(folder.path))
            qCWarning(lcCopy, "Could not remove the staging folder %s: %s", folder.path.constData(),
                      empty ? qUtf8Printable(qt_error_string(errno)) : "it is not empty");
    }
}

bool Staging::isOurs(const QByteArray &path)
{
    const int lease = ::open((path + '/' + leaseName).constData(),
                             O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (lease < 0)
        return false;
    char head[64];
    const ssize_t n = ::read(lease, head, size_t(leaseMagic.size()));
    ::close(lease);
    return n == leaseMagic.size() && QByteArray(head, int(n)) == leaseMagic;
}

namespace {

enum class Owner { Alive, Gone, Unknown, NotOurs };

// Whose the staging folder at path is, by its lease.
Owner ownerOf(const QByteArray &path, qint64 *leaseTime)
{
    const int lease = ::open((path + '/' + leaseName).constData(),
                             O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (lease < 0)
        return Owner::NotOurs;
    char buffer[512];
    struct stat st = {};
    const ssize_t n = ::read(lease, buffer, sizeof buffer);
    const QByteArray text(buffer, int(qMax<ssize_t>(n, 0)));
    Owner owner = Owner::Unknown;
    if (!text.startsWith(leaseMagic) || ::fstat(lease, &st) != 0 || !S_ISREG(st.st_mode)) {
        owner = Owner::NotOurs;
    } else if (::flock(lease, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        owner = Owner::Alive;
    } else if (!QSysInfo::machineUniqueId().isEmpty()
               && leaseField(text, "machine") == QSysInfo::machineUniqueId()) {
        // Its lock is free here; a lock taken through another mount of the same share is
        // not seen, so a live process still goes by its lease.
        const pid_t pid = pid_t(leaseField(text, "pid").toLongLong());
        const bool running = pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
        if (leaseField(text, "boot") != QSysInfo::bootUniqueId() || !running)
            owner = Owner::Gone;
    }
    *leaseTime = nanoseconds(st.st_mtim);
    ::close(lease);
    return owner;
}

// Removes what the dead owner left in path, then the folder.
Staging::Removed removeFolder(const QByteArray &path)
{
    Staging::Removed removed;
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return removed;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat st;
        if (std::strcmp(entry->d_name, leaseName) == 0
            || ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0
            || !S_ISREG(st.st_mode))
            continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) {
            ++removed.files;
            removed.bytes += st.st_size;
        }
    }
    ::closedir(dir);
    if (::unlink((path + '/' + leaseName).constData()) != 0 || ::rmdir(path.constData()) != 0)
        qCWarning(lcCopy, "Could not remove %s, left by an interrupted pick: %s", path.constData(),
                  qUtf8Printable(qt_error_string(errno)));
    else
        qCInfo(lcCopy, "Removed %s, left by an interrupted pick (%lld files)", path.constData(),
               qlonglong(removed.files));
    return removed;
}

void sweepFolder(const QByteArray &folder, Staging::Removed &removed, bool children)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    std::vector<QByteArray> subfolders;
    std::vector<QByteArray> candidates;
    while (const dirent *entry = ::readdir(dir)) {
        const bool folderKind = entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN;
        if (Staging::isStagingName(entry->d_name) && folderKind)
            candidates.push_back(folder + '/' + entry->d_name);
        else if (children && folderKind && subfolders.size() < subfoldersSwept
                 && std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            subfolders.push_back(folder + '/' + entry->d_name);
    }
    ::closedir(dir);
    // The disk's own clock, read off a lease of ours, only when a lease's age must tell.
    qint64 now = -1;
    Staging reference;
    for (const QByteArray &path : candidates) {
        struct stat st;
        qint64 leaseTime = 0;
        if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            continue;
        Owner owner = ownerOf(path, &leaseTime);
        if (owner == Owner::Unknown) {
            if (now < 0) {
                int error = 0;
                const QByteArray ours = reference.take(folder, &error);
                struct stat mine;
                if (!ours.isEmpty() && ::stat((ours + '/' + leaseName).constData(), &mine) == 0)
                    now = nanoseconds(mine.st_mtim);
            }
            owner = now >= 0 && now - leaseTime > staleNanoseconds ? Owner::Gone : Owner::Alive;
        }
        if (owner == Owner::Gone) {
            const Staging::Removed here = removeFolder(path);
            removed.files += here.files;
            removed.bytes += here.bytes;
        }
    }
    for (const QByteArray &subfolder : subfolders)
        sweepFolder(subfolder, removed, false);
}

} // namespace

Staging::Removed Staging::sweep(const QString &folder)
{
    Removed removed;
    sweepFolder(QFile::encodeName(folder), removed, true);
    return removed;
}

#else

Staging::~Staging() { }

QByteArray Staging::take(const QByteArray &, int *error)
{
    *error = ENOSYS;
    return QByteArray();
}

void Staging::release(const QByteArray &) { }

void Staging::clear() { }

Staging::Removed Staging::sweep(const QString &) { return Removed(); }

bool Staging::isOurs(const QByteArray &) { return false; }

#endif
