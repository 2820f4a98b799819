#pragma once

// Real trees, file systems and a loopback web server for the tests.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <linux/capability.h>
#include <memory>
#include <optional>
#include <sys/syscall.h>
#include <unistd.h>

void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
// Makes a tree below root from a short table, one entry a line: "dir/" a folder, "name>target"
// a link, "name|" a FIFO, "name=text" a file holding text, "name#1000" a file of 1000 bytes,
// "name!0500" a chmod of what stands there (made as a folder if nothing does); anything else
// an empty file.
void makeTree(const QString &root, const QStringList &layout);
// The tree below root as sorted lines: "path size" a file, "path/" a folder, "path>target" a
// link, "path|" anything else; hidden entries too.
QStringList listTree(const QString &root);
// The files below root as "path size", sorted, one a line.
QString tree(const QString &root);
// Fails the test unless the whole of text matches the regular expression pattern.
void matches(const QString &text, const QString &pattern);
// folders × perFolder files "d<f>/<i>.t<i % 50>", hard links of one: a large tree made fast.
void makeLargeTree(const QString &root, int folders, int perFolder);
// An empty file under a name Qt may not be able to spell (raw bytes).
void touch(const QByteArray &path);
// The entries of the given kinds below folder, hidden ones too, relative to it and sorted.
QStringList entries(const QString &folder, QDir::Filters kinds = QDir::AllEntries);
int runQuietly(const QString &program, const QStringList &arguments);
// Rows for a data-driven test from a table: the first line names the columns, every further
// line is a row, "name|value|value"; each column holds a QString.
void addRows(const QStringList &table, QChar separator = '|');

// A temporary working directory for one test; the old one comes back when it goes.
class ScratchFolder : public QTemporaryDir
{
public:
    ScratchFolder() { current = isValid() && QDir::setCurrent(path()); }
    ~ScratchFolder() { QDir::setCurrent(QCoreApplication::applicationDirPath()); }
    bool current = false;
};

// A file system on folder for the life of the object: a small tmpfs (source holds its
// options), a FAT, NTFS or ext2 image made at source (a loop mount, else the FUSE driver; the
// ext2 folders record no entry kinds, as on some older disks), or the
// folder source through sshfs speaking SFTP to a local sftp-server over a pipe, so no SSH
// server is needed. Mounting needs root, or root's part in a user namespace
// (tests/in-own-namespace); reason says why it failed.
class Mount
{
public:
    enum Kind { Tmpfs, Fat, Ntfs, Ext2, Sshfs };
    // sshfs: a file whose name another client of the share makes, with its content, just
    // before this client gives a file that name (see sftp-race.py); "--corrupt=MARK": the
    // share flips a byte of every write whose data holds MARK; empty for none.
    Mount(Kind kind, const QString &folder, const QString &source, const QString &theirs = {});
    ~Mount();
    Q_DISABLE_COPY(Mount)
    bool mounted() const { return !unmount.isEmpty(); }
    // Changes the flags of this mount rather than of the file system, which root in a user
    // namespace may not do.
    bool remount(const QString &options) const;
    // sshfs: the client dies, as when the share goes away.
    void drop() const { runQuietly("pkill", {"-KILL", "-f", "sshfs .* " + folder + '$'}); }
    QString reason;
    // sshfs: the file where the server logs each request it serves.
    QString requests;

private:
    bool tryMount(const QStringList &command, const QStringList &undo);
    QString folder;
    QStringList unmount;
};

// Root reads and writes everywhere; without these two rights in its effective set this
// thread, and the threads it starts, obey file modes. They come back at the end.
struct WithoutRootRights
{
    WithoutRootRights()
    {
        syscall(SYS_capget, &header, saved);
        __user_cap_data_struct reduced[2] {saved[0], saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header, reduced);
    }
    ~WithoutRootRights() { syscall(SYS_capset, &header, saved); }
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2] {};
};

// A tree in a temporary folder of its own, with the file systems mounted in it for its life.
class TestTree : public QTemporaryDir
{
public:
    void make(const QStringList &layout, const QString &under = {}) const
    {
        makeTree(filePath(under), layout);
    }
    QStringList list(const QString &under = {}) const { return listTree(filePath(under)); }
    // Mounts a file system on folder (see Mount); false with skipReason when it cannot be.
    bool mount(Mount::Kind kind, const QString &folder, const QString &source,
               const QString &theirs = {});
    // "des" in the tree on disk: "" this one, "fat", "ntfs-3g", "sshfs", or "sshfs-race" (where
    // another client of the share makes "a.jpg" first); empty with skipReason when it cannot be.
    QString destination(const QString &disk);
    std::unique_ptr<Mount> mounted;
    QString skipReason;
};

// A web server on 127.0.0.1 with a fixed reply per path; it records every path asked for.
// A path without a reply gets fallback; an empty reply is never answered (a stall).
class HttpServer : public QTcpServer
{
public:
    HttpServer();
    QUrl url(const QString &path) const;
    static QByteArray reply(const QByteArray &status, const QByteArray &body);
    QHash<QByteArray, QByteArray> replies;
    QByteArray fallback = reply("200 OK", "<title>elsewhere</title>");
    QByteArrayList requested;

private:
    void serve();
};
