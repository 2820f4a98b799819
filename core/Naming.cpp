#include "Naming.h"

#include "core/Logging.h"

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

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

int Naming::give(int fd, const QByteArray &temporaryName, quint64 device, const QByteArray &target)
{
    const char *temporary = temporaryName.constData();
    if (temporaryName.isEmpty()) {
        int error = ::linkat(fd, "", AT_FDCWD, target.constData(), AT_EMPTY_PATH) == 0 ? 0 : errno;
        // Without the right to link by descriptor, link through its /proc name.
        if (error == ENOENT || error == EPERM) {
            const QByteArray proc = "/proc/self/fd/" + QByteArray::number(fd);
            error = ::linkat(AT_FDCWD, proc.constData(), AT_FDCWD, target.constData(),
                             AT_SYMLINK_FOLLOW)
                            == 0
                    ? 0
                    : errno;
        }
        ::close(fd);
        return error;
    }
    // Closed before it gets its name: a share's server has then closed its file too.
    int error = ::close(fd) == 0 ? 0 : errno;
    if (error == 0) {
        bool tryRename;
        {
            const std::lock_guard<std::mutex> hold(lock);
            tryRename = !noRenameWithoutReplacing.contains(device);
        }
        bool renamed = tryRename
                && ::renameat2(AT_FDCWD, temporary, AT_FDCWD, target.constData(), RENAME_NOREPLACE)
                        == 0;
        error = renamed ? 0 : tryRename ? errno : EINVAL;
        if (tryRename && (error == EINVAL || error == ENOSYS)) {
            const std::lock_guard<std::mutex> hold(lock);
            noRenameWithoutReplacing.insert(device);
        }
        // link() never replaces either; the temporary name goes once the target name stands.
        if (error == EINVAL || error == ENOSYS)
            error = ::link(temporary, target.constData()) == 0 ? 0 : errno;
        if (error == EPERM || error == EOPNOTSUPP || error == ENOSYS) {
            error = claimAndRename(temporary, target);
            renamed = error == 0;
        }
        if (renamed)
            return 0;
    }
    if (::unlink(temporary) != 0)
        qCWarning(lcCopy, "Could not remove the temporary file %s: %s", temporary,
                  qUtf8Printable(qt_error_string(errno)));
    return error;
}

#else

int Naming::give(int, const QByteArray &, quint64, const QByteArray &) { return 0; }

#endif
