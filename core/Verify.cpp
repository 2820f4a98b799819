#include "Verify.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <xxhash.h>

namespace {
// Large reads keep the hash and the disk busy with few system calls.
const size_t bufferSize = 1 << 20;
const qint64 stepBytes = 8 << 20;

QByteArray canonical(XXH3_state_t *state)
{
    XXH128_canonical_t bytes;
    XXH128_canonicalFromHash(&bytes, XXH3_128bits_digest(state));
    return QByteArray(reinterpret_cast<const char *>(bytes.digest), sizeof bytes.digest);
}

struct State
{
    State() { XXH3_128bits_reset(state); }
    ~State() { XXH3_freeState(state); }
    Q_DISABLE_COPY(State)
    XXH3_state_t *state = XXH3_createState();
};

char *buffer()
{
    // One per thread: copies under way at once each need their own.
    static thread_local QByteArray bytes(qsizetype(bufferSize), Qt::Uninitialized);
    return bytes.data();
}

// Hashes what fd holds from its current position on, handing each piece read to take, if
// given; returns 0 or the errno of the first failure, a read's or take's.
int hashAll(int fd, QByteArray *sum, const std::function<int(const char *, ssize_t)> &take = {})
{
    State hash;
    char *data = buffer();
    for (;;) {
        const ssize_t n = ::read(fd, data, bufferSize);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        XXH3_128bits_update(hash.state, data, size_t(n));
        if (const int error = take ? take(data, n) : 0)
            return error;
    }
    *sum = canonical(hash.state);
    return 0;
}
} // namespace

namespace Verify {

int copy(int in, int out, std::atomic<qint64> &written, const std::function<void()> &betweenSteps,
         QByteArray *sum)
{
    qint64 sinceStep = 0;
    return hashAll(in, sum, [&](const char *data, ssize_t n) {
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, data + done, size_t(n - done));
            if (w < 0 && errno != EINTR)
                return errno;
            done += qMax<ssize_t>(w, 0);
            written += qMax<ssize_t>(w, 0);
        }
        // The write-back starts at once, so that the sync before the read-back is short.
        if ((sinceStep += n) >= stepBytes) {
            ::sync_file_range(out, 0, 0, SYNC_FILE_RANGE_WRITE);
            sinceStep = 0;
            if (betweenSteps)
                betweenSteps();
        }
        return 0;
    });
}

int checkCopy(int fd, const QByteArray &sum, PickItem &result)
{
    // Durable first: only then do the pages hold nothing the disk lacks, and can go, so that
    // the read comes from the disk (or the share's server) and not from our own writes.
    if (::fdatasync(fd) != 0)
        return errno;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    QByteArray back;
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return errno;
    if (const int error = hashAll(fd, &back))
        return error;
    if (back == sum)
        return 0;
    result.reason = QCoreApplication::translate("Verify", "the copy read back different");
    result.error = QStringLiteral("the copy's hash %1 is not the source's %2")
                           .arg(QLatin1String(hex(back)), QLatin1String(hex(sum)));
    return EIO;
}

QByteArray hashFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return QByteArray();
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    QByteArray sum;
    const int error = hashAll(fd, &sum);
    ::close(fd);
    return error == 0 ? sum : QByteArray();
}

} // namespace Verify
