#include "DirWalker.h"

#include <QFile>

#include <cerrno>

#ifdef Q_OS_LINUX
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#else
#include <QDirIterator>
#endif

namespace Mv {

namespace {

    // A path as a log line can show it: printable ASCII kept, every other byte as \xNN.
    QByteArray escaped(const QByteArray &bytes)
    {
        QByteArray out;
        out.reserve(bytes.size());
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7f && byte != '\\') {
                out += c;
            } else {
                out += "\\x";
                out += QByteArray::number(byte, 16).rightJustified(2, '0');
            }
        }
        return out;
    }

} // namespace

DirWalker::DirWalker(const QString &folder)
    : root(folder)
{
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
}

void DirWalker::cancel() { cancelFlag.store(true, std::memory_order_relaxed); }

bool DirWalker::cancelRequested() const { return cancelFlag.load(std::memory_order_relaxed); }

qsizetype DirWalker::filesFound() const { return progress.load(std::memory_order_relaxed); }

WalkReport DirWalker::report() const { return result; }

void DirWalker::folderUnreadable(const QByteArray &path, int error)
{
    ++result.unreadableFolders;
    result.unreadableFolderPaths.append(QString::fromUtf8(escaped(path)));
    qWarning("Cannot read folder %s: %s", escaped(path).constData(),
             qUtf8Printable(qt_error_string(error)));
}

void DirWalker::nameUndecodable(const QByteArray &path)
{
    ++result.undecodableNames;
    result.undecodablePaths.append(QString::fromUtf8(escaped(path)));
    qWarning("Left out %s: its name is not valid UTF-8", escaped(path).constData());
}

#ifdef Q_OS_LINUX

namespace {

    struct PendingFolder
    {
        QByteArray path;
        QString text; // empty when some name on the way could not be decoded
        bool decodable;
    };

    bool isAscii(const char *name, size_t length)
    {
        for (size_t i = 0; i < length; ++i) {
            if (static_cast<unsigned char>(name[i]) >= 0x80)
                return false;
        }
        return true;
    }

    // What an entry is worth to the walk. Links to folders count as neither: following them
    // could leave the tree or loop. Pipes, sockets and devices are no files to copy.
    enum class Kind { Skip, File, Folder };

    Kind kindOf(int folderFd, const char *name, unsigned char type)
    {
        struct stat st;
        if (type == DT_UNKNOWN) {
            if (fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                return Kind::File; // gone meanwhile: the copy reports it
            if (S_ISDIR(st.st_mode))
                return Kind::Folder;
            if (S_ISREG(st.st_mode))
                return Kind::File;
            if (!S_ISLNK(st.st_mode))
                return Kind::Skip;
            type = DT_LNK;
        }
        switch (type) {
        case DT_DIR:
            return Kind::Folder;
        case DT_REG:
            return Kind::File;
        case DT_LNK:
            // A dangling or looping link stays in the list, so that its copy fails visibly.
            if (fstatat(folderFd, name, &st, 0) != 0)
                return Kind::File;
            return S_ISREG(st.st_mode) ? Kind::File : Kind::Skip;
        default:
            return Kind::Skip;
        }
    }

} // namespace

bool DirWalker::run(QList<QFileInfo> &files)
{
    result = {};
    qsizetype found = 0;
    std::vector<char> buffer(64 * 1024);
    std::vector<PendingFolder> pending;
    pending.push_back({QFile::encodeName(root), root, true});
    bool atRoot = true;

    while (!pending.empty() && !result.cancelled) {
        const PendingFolder folder = std::move(pending.back());
        pending.pop_back();
        // Below the root a folder that turned into a link meanwhile is not entered either.
        const int fd = ::open(folder.path.constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC | (atRoot ? 0 : O_NOFOLLOW));
        atRoot = false;
        if (fd < 0) {
            folderUnreadable(folder.path, errno);
            continue;
        }
        const QByteArray pathPrefix = folder.path.endsWith('/') ? folder.path : folder.path + '/';
        const QString textPrefix = folder.text.endsWith(QLatin1Char('/'))
                ? folder.text
                : folder.text + QLatin1Char('/');

        for (;;) {
            if (cancelRequested()) {
                result.cancelled = true;
                break;
            }
            const ssize_t length = ::getdents64(fd, buffer.data(), buffer.size());
            if (length == 0)
                break;
            if (length < 0) {
                if (errno == EINTR)
                    continue;
                folderUnreadable(folder.path, errno);
                break;
            }
            for (ssize_t offset = 0; offset < length;) {
                const auto *entry = reinterpret_cast<const dirent64 *>(buffer.data() + offset);
                offset += entry->d_reclen;
                const char *name = entry->d_name;
                if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                    continue;
                const Kind kind = kindOf(fd, name, entry->d_type);
                if (kind == Kind::Skip)
                    continue;
                const size_t nameLength = std::strlen(name);
                const bool ascii = isAscii(name, nameLength);
                QString decoded;
                bool decodable = folder.decodable;
                if (decodable && !ascii) {
                    decoded = QString::fromUtf8(name, qsizetype(nameLength));
                    // Invalid bytes come back as U+FFFD, so they do not survive the round trip.
                    decodable = decoded.toUtf8() == name;
                }
                if (kind == Kind::Folder) {
                    QString text;
                    if (decodable) {
                        text.reserve(textPrefix.size() + qsizetype(nameLength));
                        text += textPrefix;
                        text += ascii ? QString(QLatin1String(name, qsizetype(nameLength)))
                                      : decoded;
                    }
                    pending.push_back({pathPrefix + name, text, decodable});
                    continue;
                }
                if (!decodable) {
                    progress.store(found, std::memory_order_relaxed);
                    nameUndecodable(pathPrefix + name);
                    continue;
                }
                QString path;
                path.reserve(textPrefix.size() + qsizetype(nameLength));
                path += textPrefix;
                if (ascii)
                    path += QLatin1String(name, qsizetype(nameLength));
                else
                    path += decoded;
                files.emplace_back(path);
                ++found;
            }
            progress.store(found, std::memory_order_relaxed);
        }
        ::close(fd);
    }
    return !result.cancelled && result.unreadableFolders == 0;
}

#else

// Elsewhere the platform's names are always Unicode, so Qt's listing loses nothing.
bool DirWalker::run(QList<QFileInfo> &files)
{
    result = {};
    qsizetype found = 0;
    QStringList pending {root};
    while (!pending.isEmpty()) {
        if (cancelRequested()) {
            result.cancelled = true;
            break;
        }
        const QString folder = pending.takeLast();
        if (!QFileInfo(folder).isReadable()) {
            folderUnreadable(QFile::encodeName(folder), EACCES);
            continue;
        }
        QDirIterator it(folder,
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            if (cancelRequested()) {
                result.cancelled = true;
                break;
            }
            const QFileInfo info = it.nextFileInfo();
            if (info.isDir() && !info.isSymLink()) {
                pending.append(info.filePath());
                continue;
            }
            // A dangling link stays in the list, so that its copy fails visibly.
            if (info.isFile() || (info.isSymLink() && !info.exists())) {
                files.append(info);
                progress.store(++found, std::memory_order_relaxed);
            }
        }
    }
    return !result.cancelled && result.unreadableFolders == 0;
}

#endif

} // namespace Mv
