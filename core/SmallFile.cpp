#include "SmallFile.h"

#include "core/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
QString shown(const QString &path) { return QDir::current().absoluteFilePath(path); }

bool refuse(const QString &path, QString *error = nullptr)
{
    const QString reason = QStringLiteral("it is not a regular file");
    qCWarning(lcFiles, "Left %s alone: %s", qUtf8Printable(shown(path)), qUtf8Printable(reason));
    if (error)
        *error = reason;
    return false;
}

// doing: "read" or "write".
bool couldNot(const char *doing, const QString &path, const QString &reason,
              QString *error = nullptr)
{
    qCWarning(lcFiles, "Could not %s %s: %s", doing, qUtf8Printable(shown(path)),
              qUtf8Printable(reason));
    if (error)
        *error = reason;
    return false;
}
} // namespace

bool SmallFile::read(const QString &path, QByteArray *bytes)
{
    QFile file(path);
#ifdef Q_OS_UNIX
    // The type is known before the open, which does not wait for a writer either.
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    const bool known = ::stat(name.constData(), &st) == 0;
    if (!known && errno == ENOENT)
        return false;
    if (known && !S_ISREG(st.st_mode))
        return refuse(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return refuse(path);
    }
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return couldNot("read", path, fd < 0 ? qt_error_string(errno) : file.errorString());
#else
    if (!file.exists())
        return false;
    if (!QFileInfo(path).isFile())
        return refuse(path);
    if (!file.open(QIODevice::ReadOnly))
        return couldNot("read", path, file.errorString());
#endif
    // One byte past the limit tells a full file from a too large one, also for files whose
    // size the file system does not know.
    *bytes = file.read(maxSize + 1);
    if (bytes->size() > maxSize) {
        qCWarning(lcFiles, "Left %s unread: it is larger than %lld bytes",
                  qUtf8Printable(shown(path)), maxSize);
        bytes->clear();
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        bytes->clear();
        return couldNot("read", path, file.errorString());
    }
    return true;
}

bool SmallFile::write(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode,
                      QString *error)
{
    // QSaveFile would write through a link to wherever it leads.
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile())) {
        if (error)
            *error = QCoreApplication::translate("SmallFile", "it is not a regular file");
        return refuse(path);
    }
    QSaveFile file(path);
    // Qt writes in place only where the folder refuses the file written aside (EACCES) and
    // the file itself takes the write; everywhere else the write aside and rename stays.
    file.setDirectWriteFallback(true);
    if (file.open(QIODevice::WriteOnly | mode) && file.write(bytes) == bytes.size()
        && file.commit())
        return true;
    return couldNot("write", path, file.errorString(), error);
}
