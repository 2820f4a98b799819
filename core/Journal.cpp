#include "Journal.h"

#include "Disk.h"
#include "FileType.h"
#include "Logging.h"
#include "PickReport.h"
#include "Verify.h"

#include <QDir>
#include <QDirIterator>
#include <QIODevice>
#include <QStandardPaths>
#include <QThreadPool>

#include <algorithm>
#include <chrono>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray headMark = "trovella journal 1";
const QByteArray suffix = ".journal";
// A full buffer, or one this old, goes to the file even without a batch's names.
const qsizetype bufferBytes = 256 * 1024;
const qint64 flushMilliseconds = 50;
const qint64 readBlock = 1 << 20;

qint64 now()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
}

QByteArray escaped(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains('\\') && !bytes.contains('\t') && !bytes.contains('\n')
        && !bytes.contains('\r'))
        return bytes;
    QByteArray out;
    for (const char c : std::as_const(bytes)) {
        if (c == '\\' || c == '\t' || c == '\n' || c == '\r')
            out += '\\', out += c == '\\' ? '\\' : c == '\t' ? 't' : c == '\n' ? 'n' : 'r';
        else
            out += c;
    }
    return out;
}

QString unescaped(QByteArrayView field)
{
    if (!field.contains('\\'))
        return QString::fromUtf8(field);
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        char c = field[i];
        if (c == '\\' && i + 1 < field.size()) {
            c = field[++i];
            c = c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        out += c;
    }
    return QString::fromUtf8(out);
}

QList<QByteArrayView> fields(QByteArrayView line)
{
    QList<QByteArrayView> parts;
    for (qsizetype start = 0;;) {
        const qsizetype tab = line.indexOf('\t', start);
        parts << line.sliced(start, (tab < 0 ? line.size() : tab) - start);
        if (tab < 0)
            return parts;
        start = tab + 1;
    }
}

bool isRow(QByteArrayView line) { return !line.isEmpty() && line[0] >= '0' && line[0] <= '5'; }

PickItem parseRow(QByteArrayView line)
{
    const QList<QByteArrayView> part = fields(line);
    PickItem item;
    if (part.size() < 7)
        return item;
    item.outcome = PickItem::Outcome(line[0] - '0');
    item.bytes = part[1].toLongLong();
    item.modified = part[2].toLongLong();
    item.checksum = QByteArray::fromHex(part[3].toByteArray());
    item.source = unescaped(part[4]);
    item.target = unescaped(part[5]);
    item.reason = unescaped(part[6]);
    return item;
}

// Reads path whole in large blocks, line by line, with each line's offset; false when it
// cannot be read. A last line without its end, cut by a crash, is left out.
bool eachLine(const QString &path, const std::function<bool(QByteArrayView, qint64)> &line)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QByteArray data;
    qint64 offset = 0;
    for (;;) {
        const qsizetype kept = data.size();
        data.resize(kept + readBlock);
        const qint64 n = file.read(data.data() + kept, readBlock);
        data.resize(kept + qMax<qint64>(n, 0));
        if (n <= 0)
            return n == 0;
        qsizetype start = 0;
        for (qsizetype end; (end = data.indexOf('\n', start)) >= 0; start = end + 1) {
            if (!line(QByteArrayView(data).sliced(start, end - start), offset + start))
                return true;
        }
        data.remove(0, start);
        offset += start;
    }
}

QStringList journals()
{
    QStringList names = QDir(Journal::folder())
                                .entryList({"*" + QString::fromLatin1(suffix)}, QDir::Files,
                                           QDir::Name | QDir::Reversed);
    for (QString &name : names)
        name = Journal::folder() + QLatin1Char('/') + name;
    return names;
}
} // namespace

Journal::~Journal() { flush(); }

QString Journal::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
            + QStringLiteral("/journals");
}

bool Journal::open(const Head &head)
{
    // Removing a journal of a million rows can take the disk a while: not on this thread.
    QThreadPool::globalInstance()->start([] { prune(); });
    const QString name
            = QStringLiteral("%1/%2-%3%4")
                      .arg(folder(),
                           head.started.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")))
                      .arg(::getpid())
                      .arg(QLatin1String(suffix));
    file.setFileName(name);
    if (!QDir().mkpath(folder())
        || !file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        failure = file.errorString();
        qCWarning(lcCopy, "Could not start the journal %s: %s", qUtf8Printable(name),
                  qUtf8Printable(failure));
        return false;
    }
    write(headMark + '\t' + escaped(head.source) + '\t' + escaped(head.target) + '\t'
          + head.started.toString(Qt::ISODateWithMs).toLatin1() + '\t' + (head.verified ? '1' : '0')
          + '\n');
    flush();
    return ok();
}

void Journal::add(const PickItem &item)
{
    write(QByteArray::number(int(item.outcome)) + '\t' + QByteArray::number(item.bytes) + '\t'
          + QByteArray::number(item.modified) + '\t' + Verify::hex(item.checksum) + '\t'
          + escaped(item.source) + '\t' + escaped(item.target) + '\t' + escaped(item.reason)
          + '\n');
}

void Journal::addFolder(const QString &path) { write("D\t" + escaped(path) + '\n'); }

void Journal::write(const QByteArray &line)
{
    if (!file.isOpen())
        return;
    if (buffer.isEmpty())
        lastFlush = now();
    buffer += line;
}

void Journal::flush(bool force)
{
    if (!file.isOpen() || buffer.isEmpty()
        || (!force && buffer.size() < bufferBytes && now() - lastFlush < flushMilliseconds))
        return;
    if (file.write(buffer) != buffer.size()) {
        failure = file.errorString();
        qCWarning(lcCopy, "Could not write the journal %s: %s", qUtf8Printable(file.fileName()),
                  qUtf8Printable(failure));
        file.close();
    }
    buffer.clear();
}

Journal::Head Journal::readHead(const QString &path)
{
    Head head;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return head;
    const QByteArray line = file.readLine(64 * 1024).chopped(1);
    const QList<QByteArrayView> part = fields(line);
    if (part.size() < 5 || part[0] != headMark)
        return head;
    head.source = unescaped(part[1]);
    head.target = unescaped(part[2]);
    head.started = QDateTime::fromString(QString::fromLatin1(part[3]), Qt::ISODateWithMs);
    head.verified = part[4] == "1";
    return head;
}

QString Journal::lastOf(const QString &source)
{
    for (const QString &path : journals()) {
        if (readHead(path).source == source)
            return path;
    }
    return QString();
}

void Journal::prune(int keepCount, qint64 keepBytes)
{
    int count = 0;
    qint64 bytes = 0;
    for (const QString &path : journals()) {
        bytes += QFileInfo(path).size();
        if (++count > keepCount || bytes > keepBytes) {
            if (!QFile::remove(path))
                qCWarning(lcFiles, "Could not remove the old journal %s", qUtf8Printable(path));
        }
    }
}

bool Journal::forEach(const QString &path, const std::function<void(const PickItem &)> &row,
                      QStringList *folders)
{
    return eachLine(path, [&](QByteArrayView line, qint64) {
        if (isRow(line))
            row(parseRow(line));
        else if (folders && line.startsWith("D\t"))
            *folders << unescaped(line.sliced(2));
        return true;
    });
}

bool Journal::Index::build(const QString &journal, const std::atomic<bool> *cancel)
{
    path = journal;
    head = readHead(journal);
    return eachLine(journal, [this, cancel](QByteArrayView line, qint64 offset) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return false;
        if (line == "U")
            undone = true;
        if (!isRow(line))
            return true;
        const auto outcome = PickItem::Outcome(line[0] - '0');
        byOutcome[outcome].push_back(quint32(offsets.size()));
        offsets.push_back(offset);
        ++counts[outcome];
        // The type of a file the scan left out is not known: a folder may hold any.
        if (outcome != PickItem::LeftOut) {
            const QList<QByteArrayView> part = fields(line);
            if (part.size() > 4)
                ++typeCounts[fileSuffix(unescaped(part[4])).toString().toLower()][outcome];
        }
        return true;
    });
}

PickItem Journal::Index::row(qsizetype number) const
{
    if (!reader.isOpen()) {
        reader.setFileName(path);
        if (!reader.open(QIODevice::ReadOnly))
            return PickItem();
    }
    if (number < 0 || number >= size() || !reader.seek(offsets[size_t(number)]))
        return PickItem();
    return parseRow(reader.readLine().chopped(1));
}

bool Journal::writeCsv(const QString &path, QIODevice *device)
{
    QByteArray text = PickReport::columnTitles().join(QLatin1Char(',')).toUtf8() + '\n';
    bool written = true;
    const bool read = forEach(path, [&](const PickItem &item) {
        text += PickReport::csvLine(item);
        if (text.size() >= bufferBytes) {
            written = written && device->write(text) == text.size();
            text.clear();
        }
    });
    return read && written && device->write(text) == text.size();
}

qsizetype Journal::writeChecksums(const QString &path, QIODevice *device, int *skipped)
{
    const QString top = readHead(path).target + QLatin1Char('/');
    qsizetype lines = 0;
    bool written = true;
    *skipped = 0;
    QByteArray text;
    const bool read = forEach(path, [&](const PickItem &item) {
        if (item.outcome != PickItem::Copied || item.checksum.isEmpty())
            return;
        const QString relative
                = item.target.startsWith(top) ? item.target.mid(top.size()) : item.target;
        // xxh128sum takes one name a line and knows no escapes; a backslash it reads as is.
        if (relative.contains(QLatin1Char('\n')) || relative.contains(QLatin1Char('\r'))) {
            ++*skipped;
            return;
        }
        text += Verify::hex(item.checksum) + "  " + QFile::encodeName(relative) + '\n';
        ++lines;
        if (text.size() >= bufferBytes) {
            written = written && device->write(text) == text.size();
            text.clear();
        }
    });
    written = written && device->write(text) == text.size();
    return read && written ? lines : -1;
}

Journal::Undone Journal::undo(const QString &path)
{
    Undone undone;
    QStringList folders;
    Disk::Kinds disks;
    undone.readable = forEach(
            path,
            [&](const PickItem &item) {
                // Only what this pick gave its name: a file that was there before never goes.
                if (item.outcome != PickItem::Copied)
                    return;
                const QByteArray target = QFile::encodeName(item.target);
                struct stat st;
                if (::lstat(target.constData(), &st) != 0) {
                    undone.left.append({item.target, tr("gone")});
                    return;
                }
                // A copy keeps the source's time as exactly as its disk keeps times.
                const qint64 modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
                const bool same = S_ISREG(st.st_mode) && st.st_size == item.bytes
                        && qAbs(modified - item.modified)
                                < qMax<qint64>(disks.of(st.st_dev, item.target).timeStep, 1)
                        && (item.checksum.isEmpty() || Verify::hashFile(target) == item.checksum);
                if (!same || ::unlink(target.constData()) != 0) {
                    undone.left.append({item.target,
                                        same ? QString::fromLocal8Bit(std::strerror(errno))
                                             : tr("changed since the pick")});
                    return;
                }
                ++undone.files;
            },
            &folders);
    if (!undone.readable)
        return undone;
    // The deepest first: a folder is empty only once the folders in it are gone.
    std::sort(folders.begin(), folders.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &folder : std::as_const(folders))
        undone.folders += ::rmdir(QFile::encodeName(folder).constData()) == 0 ? 1 : 0;
    QFile file(path);
    if (!file.open(QIODevice::Append) || file.write("U\n") != 2)
        qCWarning(lcFiles, "Could not mark the journal %s undone", qUtf8Printable(path));
    for (const auto &[target, reason] : std::as_const(undone.left))
        qCInfo(lcCopy, "Undo left %s: %s", qUtf8Printable(target), qUtf8Printable(reason));
    return undone;
}
