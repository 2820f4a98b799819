#include "CopyData.h"

#include <QFile>

#include <cstring>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const qsizetype bufferSize = 256 * 1024;
} // namespace

namespace CopyData {

#ifdef Q_OS_LINUX

int copy(int in, int out, std::atomic<qint64> &written, const std::function<void()> &betweenSteps)
{
    if (::ioctl(out, FICLONE, in) == 0) {
        struct stat st;
        if (::fstat(in, &st) == 0)
            written += st.st_size;
        return 0;
    }
    const ssize_t step = 8 << 20;
    const auto stepDone = [out, &betweenSteps] {
        ::sync_file_range(out, 0, 0, SYNC_FILE_RANGE_WRITE);
        if (betweenSteps)
            betweenSteps();
    };
    bool copied = false;
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, step, 0);
        if (n > 0) {
            copied = true;
            written += n;
            if (n == step)
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
        if ((sinceStep += qMax<ssize_t>(n, 0)) >= step) {
            stepDone();
            sinceStep = 0;
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer.constData() + done, n - done);
            if (w < 0 && errno != EINTR)
                return errno;
            done += qMax<ssize_t>(w, 0);
            written += qMax<ssize_t>(w, 0);
        }
    }
}

#endif

bool sameContent(const QByteArray &one, const QString &other)
{
    QFile a(QFile::decodeName(one));
    QFile b(other);
    if (!a.open(QIODevice::ReadOnly | QIODevice::Unbuffered)
        || !b.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QByteArray left(bufferSize, Qt::Uninitialized);
    QByteArray right(bufferSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = a.read(left.data(), left.size());
        if (n < 0 || b.read(right.data(), n) != n)
            return false;
        if (n == 0)
            return b.atEnd();
        if (std::memcmp(left.constData(), right.constData(), size_t(n)) != 0)
            return false;
    }
}

} // namespace CopyData
