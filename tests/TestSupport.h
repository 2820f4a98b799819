#pragma once

// Real trees, file systems and a loopback web server for the tests.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <memory>
#include <optional>
#include <unistd.h>

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes a tree below root from a short table: "dir/" a folder, "name>target" a link, any other
// entry an empty file.
inline void makeTree(const QString &root, const QStringList &layout)
{
    for (const QString &entry : layout) {
        const QStringList link = entry.split('>');
        if (link.size() == 2)
            QVERIFY(QDir().mkpath(QFileInfo(root + '/' + link[0]).path())
                    && QFile::link(link[1], root + '/' + link[0]));
        else if (entry.endsWith('/'))
            QVERIFY(QDir().mkpath(root + '/' + entry));
        else
            writeFile(root + '/' + entry, {});
    }
}

// An empty file under a name Qt may not be able to spell (raw bytes).
inline void touch(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
    QVERIFY2(fd >= 0, path.constData());
    ::close(fd);
}

// The entries of the given kinds below folder, hidden ones too, relative to it and sorted.
inline QStringList entries(const QString &folder, QDir::Filters kinds = QDir::AllEntries)
{
    QStringList found;
    QDirIterator it(folder, kinds | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(QDir(folder).relativeFilePath(it.next()));
    found.sort();
    return found;
}

// "name=list" pairs in the map's order, so a failed comparison shows every group.
inline QStringList pairs(const QMap<QString, QString> &groups)
{
    QStringList result;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        result << it.key() + QLatin1Char('=') + it.value();
    return result;
}

inline int runQuietly(const QString &program, const QStringList &arguments)
{
    QProcess process;
    // Failures are told by the exit code; fusefat talks even when it works.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(20000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// A temporary working directory for one test; the old one comes back when it goes.
class ScratchFolder : public QTemporaryDir
{
public:
    ScratchFolder() { current = isValid() && QDir::setCurrent(path()); }
    ~ScratchFolder() { QDir::setCurrent(QCoreApplication::applicationDirPath()); }
    bool current = false;
};

// A small tmpfs on folder for the life of the object; mounting needs root, or root's part in a
// user namespace (tests/in-own-namespace).
class Mount
{
public:
    Mount(const QString &folder, const QString &options)
        : folder(folder)
    {
        QDir().mkpath(folder);
        mounted = runQuietly("mount", {"-t", "tmpfs", "-o", options, "tmpfs", folder}) == 0;
    }
    ~Mount()
    {
        // A mount cannot go while it is the working directory.
        if (QDir::currentPath().startsWith(folder))
            QDir::setCurrent(QCoreApplication::applicationDirPath());
        // Lazily when something still looks into it.
        if (mounted && runQuietly("umount", {folder}) != 0)
            runQuietly("umount", {"-l", folder});
    }
    Q_DISABLE_COPY(Mount)
    // Changes the flags of this mount rather than of the file system, which root in a user
    // namespace may not do.
    bool remount(const QString &options) const
    {
        return runQuietly("mount", {"-o", "remount,bind," + options, folder}) == 0;
    }
    bool mounted = false;

private:
    QString folder;
};

// A small FAT or NTFS file system on folder for the life of the object: a loop mount, else
// the FUSE driver (fusefat, ntfs-3g) on the image. Needs root and the tools to make one
// (dosfstools, ntfs-3g); reason says why it failed.
class DiskImage
{
public:
    enum Kind { Fat, Ntfs };
    DiskImage(const QString &image, const QString &folder, Kind kind)
        : folder(folder)
    {
        QDir().mkpath(folder);
        const QString make = kind == Fat ? "mkfs.vfat" : "mkntfs";
        const QStringList driver
                = kind == Fat ? QStringList {"fusefat", "-o", "rw+"} : QStringList {"ntfs-3g"};
        if (QStandardPaths::findExecutable(make).isEmpty())
            reason = make + " is missing (apt-get install dosfstools ntfs-3g)";
        else if (runQuietly("truncate", {"-s", "8M", image}) != 0
                 || runQuietly(make, kind == Fat ? QStringList {image} : QStringList {"-FQ", image})
                         != 0)
            reason = "could not make the image";
        else if (runQuietly("mount",
                            {"-o", "loop", "-t", kind == Fat ? "vfat" : "ntfs-3g", image, folder})
                 == 0)
            unmount = {"umount", folder};
        // fusefat says it succeeded even when it could not open /dev/fuse.
        else if (!QStandardPaths::findExecutable(driver.first()).isEmpty()
                 && runQuietly(driver.first(), driver.mid(1) << image << folder) == 0
                 && QStorageInfo(folder).rootPath() == QDir(folder).absolutePath())
            unmount = {"fusermount", "-u", folder};
        else
            reason = "no loop mount here (not root, or the kernel lacks it), and no FUSE driver "
                     "that can open /dev/fuse";
    }
    ~DiskImage()
    {
        if (mounted())
            runQuietly(unmount.first(), unmount.mid(1));
    }
    Q_DISABLE_COPY(DiskImage)

    bool mounted() const { return !unmount.isEmpty(); }
    QString reason;

private:
    QString folder;
    QStringList unmount;
};

// folder seen through sshfs at mountPoint for the life of the object: a FUSE share speaking
// SFTP to a local sftp-server over a pipe, so no SSH server is needed. Needs sshfs,
// openssh-sftp-server and /dev/fuse; reason says why it failed.
class SftpShare
{
public:
    SftpShare(const QString &folder, const QString &mountPoint)
        : mountPoint(mountPoint)
    {
        const QString server = "/usr/lib/openssh/sftp-server";
        const QString command = mountPoint + ".sftp";
        QDir().mkpath(mountPoint);
        writeFile(command, "#!/bin/sh\nexec " + server.toUtf8() + "\n");
        QFile(command).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        if (QStandardPaths::findExecutable("sshfs").isEmpty() || !QFileInfo::exists(server))
            reason = "sshfs or sftp-server is missing (apt-get install sshfs openssh-sftp-server)";
        else if (runQuietly("sshfs",
                            {"-o", "ssh_command=" + command, "local:" + folder, mountPoint})
                 != 0)
            reason = "sshfs cannot mount here (no /dev/fuse, or no right to use it)";
        else
            mounted = true;
    }
    ~SftpShare()
    {
        if (mounted && runQuietly("fusermount", {"-u", mountPoint}) != 0)
            runQuietly("fusermount", {"-uz", mountPoint});
    }
    Q_DISABLE_COPY(SftpShare)

    bool mounted = false;
    QString reason;

private:
    QString mountPoint;
};

// A web server on 127.0.0.1 with a fixed reply per path; it records every path asked for.
// A path without a reply gets fallback; an empty reply is never answered (a stall).
class HttpServer : public QTcpServer
{
public:
    HttpServer()
    {
        connect(this, &QTcpServer::newConnection, this, &HttpServer::serve);
        listen(QHostAddress::LocalHost);
    }

    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
    }

    static QByteArray reply(const QByteArray &status, const QByteArray &body)
    {
        return "HTTP/1.1 " + status + "\r\nContent-Type: text/html\r\nContent-Length: "
                + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

    QHash<QByteArray, QByteArray> replies;
    QByteArray fallback = reply("200 OK", "<title>elsewhere</title>");
    QByteArrayList requested;

private:
    void serve()
    {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
                    return;
                const QByteArray path = socket->readAll().split(' ').value(1);
                requested << path;
                const QByteArray answer = replies.value(path, fallback);
                if (answer.isEmpty())
                    return;
                socket->write(answer);
                socket->disconnectFromHost();
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }
};
