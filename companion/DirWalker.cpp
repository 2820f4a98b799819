#include "DirWalker.h"

#include "core/Disk.h"
#include "core/Logging.h"
#include "core/Staging.h"

#include <QFile>

#include <cerrno>
#include <utility>

#ifdef Q_OS_LINUX
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#else
#include <QDirIterator>
#include <QFileInfo>
#endif

namespace Mv {

namespace {

    // Files a thread gathers before it hands them to the list.
    const qsizetype batchFiles = 16384;

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

    // Both return the path as shown, for the walk's report.
    QString folderUnreadable(const QByteArray &path, int error)
    {
        qCWarning(lcScan, "Cannot read folder %s: %s", escaped(path).constData(),
                  qUtf8Printable(qt_error_string(error)));
        return QString::fromUtf8(escaped(path));
    }

    QString nameUndecodable(const QByteArray &path)
    {
        qCWarning(lcScan, "Left out %s: its name is not valid UTF-8", escaped(path).constData());
        return QString::fromUtf8(escaped(path));
    }

} // namespace

DirWalker::DirWalker(const QString &folder, int threads)
    : root(folder)
    , threads(threads > 0 ? threads : Disk::walkThreads(folder))
{
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
}

void DirWalker::cancel()
{
    cancelFlag.store(true, std::memory_order_relaxed);
    // Helpers waiting for a folder must see it too.
    std::lock_guard<std::mutex> hold(lock);
    wake.notify_all();
}

bool DirWalker::cancelRequested() const { return cancelFlag.load(std::memory_order_relaxed); }

qsizetype DirWalker::filesFound() const { return progress.load(std::memory_order_relaxed); }

WalkReport DirWalker::report() const { return result; }

#ifdef Q_OS_LINUX

namespace {

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

// Where one folder read stands: the folder, its open descriptor and what it found so far.
struct DirWalker::Reading
{
    const Folder &folder;
    int fd;
    QByteArray pathPrefix;
    Found &found;
};

// Records an entry that falls under rule instead of listing it; false when it turns out to be
// the user's after all: a "._" file that is no AppleDouble file.
bool DirWalker::setAside(Reading &reading, const char *name, Clutter::Rule rule, bool folder)
{
    struct stat st;
    qint64 bytes = 0;
    if (rule == Clutter::MacResourceFork && !folder) {
        // Four bytes of this one file, never more, and nothing of any other.
        const int fd = ::openat(reading.fd, name,
                                O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return false;
        unsigned char head[4];
        const bool appleDouble = ::read(fd, head, sizeof head) == sizeof head
                && Clutter::isAppleDouble(head) && ::fstat(fd, &st) == 0;
        ::close(fd);
        if (!appleDouble)
            return false;
        bytes = st.st_size;
    } else if (!folder) {
        bytes = ::fstatat(reading.fd, name, &st, 0) == 0 ? st.st_size : 0;
    }
    const QByteArray raw = reading.pathPrefix + name;
    QString path = QString::fromUtf8(raw);
    if (!reading.folder.decodable || path.toUtf8() != raw)
        path = QString::fromUtf8(escaped(raw));
    reading.found.ruledOut.append({rule, folder, bytes, path});
    return true;
}

// Takes one entry of a folder into what the read found; true when it listed a file.
bool DirWalker::take(Reading &reading, const char *name, unsigned char type)
{
    const Kind kind = kindOf(reading.fd, name, type);
    if (kind == Kind::Skip
        || (kind == Kind::Folder && Staging::isStagingName(name)
            && Staging::isOurs(reading.pathPrefix + name)))
        return false;
    const size_t nameLength = std::strlen(name);
    if (ruledOut) {
        const Clutter::Rule rule = Clutter::match(name, nameLength, kind == Kind::Folder);
        if (rule != Clutter::None && ruledOut.testFlag(rule)
            && setAside(reading, name, rule, kind == Kind::Folder))
            return false;
    }
    bool decodable = reading.folder.decodable;
    // Invalid bytes come back as U+FFFD, so they do not survive the round trip.
    if (decodable && !isAscii(name, nameLength))
        decodable = QString::fromUtf8(name, qsizetype(nameLength)).toUtf8() == name;
    if (!decodable && kind == Kind::File) {
        reading.found.undecodablePaths.append(nameUndecodable(reading.pathPrefix + name));
        return false;
    }
    if (kind == Kind::Folder) {
        reading.found.folders.push_back({reading.pathPrefix + name, decodable, FileList::top,
                                         reading.folder.id, reading.pathPrefix.size()});
        return false;
    }
    reading.found.files.add(reading.folder.id, name, nameLength,
                            typeOf(reading.found, name, nameLength));
    return true;
}

// The type of a name's suffix; the list's table is asked only for a spelling new to this
// thread.
FileList::Type DirWalker::typeOf(Found &found, const char *name, size_t length)
{
    const auto *dot = static_cast<const char *>(::memrchr(name, '.', length));
    const char *suffix = dot ? dot + 1 : name + length;
    std::string spelling(suffix, size_t(name + length - suffix));
    const auto known = found.types.find(spelling);
    if (known != found.types.end())
        return known->second;
    FileList::Type type;
    {
        std::lock_guard<std::mutex> hold(lock);
        type = output->typeOfSuffix(spelling.data(), spelling.size());
    }
    found.types.emplace(std::move(spelling), type);
    return type;
}

// Reads one folder into found; top is the walk's own folder, which may be reached by a link.
void DirWalker::read(const Folder &folder, bool top, Found &found)
{
    // Below the top a folder that turned into a link meanwhile is not entered either.
    const int fd = ::open(folder.path.constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | (top ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        found.unreadableFolderPaths.append(folderUnreadable(folder.path, errno));
        return;
    }
    Reading reading {folder, fd, folder.path.endsWith('/') ? folder.path : folder.path + '/',
                     found};
    // Each of the walk's threads reads into its own buffer.
    thread_local std::vector<char> buffer(64 * 1024);

    for (;;) {
        if (cancelRequested()) {
            found.cancelled = true;
            break;
        }
        const ssize_t length = ::getdents64(fd, buffer.data(), buffer.size());
        if (length == 0)
            break;
        if (length < 0) {
            if (errno == EINTR)
                continue;
            found.unreadableFolderPaths.append(folderUnreadable(folder.path, errno));
            break;
        }
        qsizetype listed = 0;
        for (ssize_t offset = 0; offset < length;) {
            const auto *entry = reinterpret_cast<const dirent64 *>(buffer.data() + offset);
            offset += entry->d_reclen;
            const char *name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            listed += take(reading, name, entry->d_type);
        }
        progress.fetch_add(listed, std::memory_order_relaxed);
        // A folder of many files is handed over in parts, so the batch stays small.
        if (found.files.size() >= batchFiles) {
            std::lock_guard<std::mutex> hold(lock);
            handOver(found);
        }
    }
    ::close(fd);
}

// Appends the thread's batch to the list; called with the lock held.
void DirWalker::handOver(Found &found)
{
    if (found.files.isEmpty())
        return;
    const qsizetype first = output->size();
    const qsizetype count = found.files.size();
    output->append(std::move(found.files));
    if (*arrival)
        (*arrival)(*output, first, count);
}

// Hands what one read found to the walk, its files once they fill a batch or with allFiles;
// called with the lock held.
void DirWalker::deliver(Found &found, bool allFiles)
{
    if (allFiles || found.files.size() >= batchFiles)
        handOver(found);
    if (!found.folders.empty()) {
        for (Folder &folder : found.folders) {
            folder.id = output->addFolder(folder.parent, folder.path.constData() + folder.nameAt,
                                          size_t(folder.path.size() - folder.nameAt));
            pending.push_back(std::move(folder));
        }
        found.folders.clear();
        wake.notify_all();
    }
    result.cancelled = result.cancelled || std::exchange(found.cancelled, false);
    result.unreadableFolders += int(found.unreadableFolderPaths.size());
    result.unreadableFolderPaths += std::exchange(found.unreadableFolderPaths, {});
    result.undecodableNames += int(found.undecodablePaths.size());
    result.undecodablePaths += std::exchange(found.undecodablePaths, {});
    result.ruledOut += std::exchange(found.ruledOut, {});
}

// One thread's share: take a folder, read it, hand back what it held, until none is left
// and no other thread can add any.
void DirWalker::work()
{
    Found found;
    std::unique_lock<std::mutex> hold(lock);
    for (;;) {
        wake.wait(hold, [this] { return !pending.empty() || reading == 0 || cancelRequested(); });
        if (pending.empty())
            break;
        if (cancelRequested()) {
            result.cancelled = true;
            break;
        }
        const Folder folder = std::move(pending.back());
        pending.pop_back();
        ++reading;
        hold.unlock();
        read(folder, false, found);
        hold.lock();
        --reading;
        deliver(found, false);
        if (reading == 0 && pending.empty())
            wake.notify_all();
    }
    handOver(found);
}

void DirWalker::workWithHelpers()
{
    std::vector<std::thread> helpers;
    helpers.reserve(size_t(threads - 1));
    for (int i = 1; i < threads; ++i)
        helpers.emplace_back([this] { work(); });
    work();
    for (std::thread &helper : helpers)
        helper.join();
}

bool DirWalker::run(FileList &files, const Arrival &arrived)
{
    result = {};
    pending.clear();
    reading = 0;
    files = FileList(root);
    output = &files;
    arrival = &arrived;

    Found found;
    read({QFile::encodeName(root)}, true, found);
    {
        std::lock_guard<std::mutex> hold(lock);
        deliver(found, true);
    }
    // Helpers only for a tree that has folders below its top.
    if (!pending.empty() && !cancelRequested())
        workWithHelpers();

    if (!pending.empty())
        result.cancelled = true;
    pending.clear();
    output = nullptr;
    arrival = nullptr;
    return !result.cancelled && result.unreadableFolders == 0;
}

#else

// Elsewhere the platform's names are always Unicode, so Qt's listing loses nothing; one
// thread reads.
bool DirWalker::setAside(const QFileInfo &info, bool folder)
{
    const Clutter::Rule rule = Clutter::match(info.fileName(), folder);
    if (rule == Clutter::None || !ruledOut.testFlag(rule))
        return false;
    if (rule == Clutter::MacResourceFork && !folder) {
        QFile file(info.filePath());
        unsigned char head[4];
        if (info.isSymLink() || !file.open(QIODevice::ReadOnly)
            || file.read(reinterpret_cast<char *>(head), sizeof head) != sizeof head
            || !Clutter::isAppleDouble(head))
            return false;
    }
    result.ruledOut.append({rule, folder, folder ? 0 : info.size(), info.filePath()});
    return true;
}

bool DirWalker::run(FileList &files, const Arrival &arrived)
{
    result = {};
    files = FileList(root);
    qsizetype found = 0;
    std::vector<std::pair<QString, FileList::Folder>> pending {{root, FileList::top}};
    while (!pending.empty()) {
        if (cancelRequested()) {
            result.cancelled = true;
            break;
        }
        const auto [folder, id] = pending.back();
        pending.pop_back();
        if (!QFileInfo(folder).isReadable()) {
            ++result.unreadableFolders;
            result.unreadableFolderPaths.append(
                    folderUnreadable(QFile::encodeName(folder), EACCES));
            continue;
        }
        FileList::Batch batch;
        QDirIterator it(folder,
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            if (cancelRequested()) {
                result.cancelled = true;
                break;
            }
            const QFileInfo info = it.nextFileInfo();
            const bool isFolder = info.isDir() && !info.isSymLink();
            const QByteArray name = QFile::encodeName(info.fileName());
            if ((ruledOut && setAside(info, isFolder))
                || (isFolder && Staging::isStagingName(name.constData())
                    && Staging::isOurs(QFile::encodeName(info.filePath()))))
                continue;
            if (isFolder) {
                pending.push_back({info.filePath(),
                                   files.addFolder(id, name.constData(), size_t(name.size()))});
                continue;
            }
            // A dangling link stays in the list, so that its copy fails visibly.
            if (info.isFile() || (info.isSymLink() && !info.exists())) {
                batch.add(id, name.constData(), size_t(name.size()),
                          files.typeOfName(name.constData(), size_t(name.size())));
                progress.store(++found, std::memory_order_relaxed);
            }
        }
        const qsizetype first = files.size(), count = batch.size();
        files.append(std::move(batch));
        if (arrived && count > 0)
            arrived(files, first, count);
    }
    return !result.cancelled && result.unreadableFolders == 0;
}

#endif

} // namespace Mv
