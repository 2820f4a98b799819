#include "TestTree.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpSocket>

#include <sys/stat.h>

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
             qPrintable(path));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void makeTree(const QString &root, const QStringList &layout)
{
    for (const QString &entry : layout) {
        const QString name = entry.section(QRegularExpression("[>|!=#]"), 0, 0);
        const QString path = root + '/' + name, rest = entry.mid(name.size() + 1);
        const QByteArray local = QFile::encodeName(path);
        const char kind = entry.size() > name.size() ? entry.at(name.size()).toLatin1() : 0;
        QDir().mkpath(name.endsWith('/') ? path : QFileInfo(path).path());
        if (kind == '#' || kind == '=' || (!kind && !name.endsWith('/')))
            writeFile(path, kind == '#' ? QByteArray(rest.toInt(), 'x') : rest.toUtf8());
        const bool made = kind == '>' ? QFile::link(rest, path)
                : kind == '|'         ? ::mkfifo(local.constData(), 0644) == 0
                : kind == '!'         ? (QFileInfo::exists(path) || QDir().mkpath(path))
                        && ::chmod(local.constData(), rest.toUInt(nullptr, 8)) == 0
                              : QFileInfo::exists(path);
        QVERIFY2(made, qPrintable(entry));
    }
}

QStringList listTree(const QString &root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString path = QDir(root).relativeFilePath(info.filePath());
        lines << (info.isSymLink()        ? path + '>' + info.symLinkTarget()
                          : info.isDir()  ? path + '/'
                          : info.isFile() ? path + ' ' + QString::number(info.size())
                                          : path + '|');
    }
    lines.sort();
    return lines;
}

void makeLargeTree(const QString &root, int folders, int perFolder)
{
    for (int f = 0; f < folders; ++f) {
        makeTree(root, {QString("d%1/0.t0").arg(f)});
        const QByteArray folder = QFile::encodeName(QString("%1/d%2/").arg(root).arg(f));
        for (int i = 1; i < perFolder; ++i)
            QVERIFY(!::link(folder + "0.t0",
                            folder + QByteArray::number(i) + ".t" + QByteArray::number(i % 50)));
    }
}

void touch(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
    QVERIFY2(fd >= 0 && ::close(fd) == 0, path.constData());
}

QStringList entries(const QString &folder, QDir::Filters kinds)
{
    QStringList found;
    QDirIterator it(folder, kinds | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(QDir(folder).relativeFilePath(it.next()));
    found.sort();
    return found;
}

int runQuietly(const QString &program, const QStringList &arguments)
{
    QProcess process;
    // Failures are told by the exit code; fusefat talks even when it works.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    const bool ended
            = process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit;
    return ended ? process.exitCode() : -1;
}

void addRows(const QStringList &table, QChar separator)
{
    static QByteArrayList names; // a table keeps the pointers, not the names
    for (const QString &column : table.first().split(separator).mid(1))
        QTest::addColumn<QString>((names << column.toUtf8()).constLast().constData());
    for (const QString &row : table.mid(1)) {
        QTestData &data = QTest::newRow(row.section(separator, 0, 0).toUtf8());
        for (const QString &value : row.split(separator).mid(1))
            data << value;
    }
}

Mount::Mount(Kind kind, const QString &folder, const QString &source, const QString &theirs)
    : folder(folder)
{
    QDir().mkpath(folder);
    const QStringList make = kind == Fat ? QStringList {"mkfs.vfat"}
            : kind == Ntfs               ? QStringList {"mkntfs", "-FQ"}
                                         : QStringList {"mkfs.ext2", "-qO", "^filetype"};
    const QString type = kind == Fat ? "vfat" : kind == Ntfs ? "ntfs-3g" : "ext2";
    const QString server = "/usr/lib/openssh/sftp-server", command = folder + ".sftp";
    if (kind == Tmpfs) {
        if (!tryMount({"mount", "-t", "tmpfs", "-o", source, "tmpfs", folder}, {"umount"}))
            reason = "cannot mount a tmpfs here (needs root)";
    } else if (kind == Sshfs) {
        QDir().mkpath(source);
        requests = folder + ".log";
        const QString racing = theirs.isEmpty()
                ? QString()
                : QString("python3 '%1/sftp-race.py' '%2' ").arg(TROVELLA_TEST_SUPPORT, theirs);
        writeFile(command,
                  "#!/bin/sh\nexec " + racing.toUtf8() + server.toUtf8() + " -e -l VERBOSE 2>>'"
                          + requests.toUtf8() + "'\n");
        QFile(command).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        if (QStandardPaths::findExecutable("sshfs").isEmpty() || !QFileInfo::exists(server))
            reason = "sshfs or sftp-server is missing (apt-get install sshfs openssh-sftp-server)";
        else if (!tryMount({"sshfs", "-o", "ssh_command=" + command, "local:" + source, folder},
                           {"fusermount", "-u"}))
            reason = "sshfs cannot mount here (no /dev/fuse, or no right to use it)";
    } else if (QStandardPaths::findExecutable(make.first()).isEmpty()) {
        reason = make.first() + " is missing (apt-get install dosfstools ntfs-3g e2fsprogs)";
    } else if (runQuietly("truncate", {"-s", "8M", source})
               || runQuietly(make.first(), make.mid(1) << source)) {
        reason = "could not make the image";
    } else if (!tryMount({"mount", "-o", "loop", "-t", type, source, folder}, {"umount"})
               && !tryMount(kind == Fat ? QStringList {"fusefat", "-o", "rw+", source, folder}
                                        : QStringList {"ntfs-3g", source, folder},
                            {"fusermount", "-u"})) {
        reason = "no loop mount here (not root, or the kernel lacks it), and no FUSE driver "
                 "that can open /dev/fuse";
    }
}

bool Mount::tryMount(const QStringList &command, const QStringList &undo)
{
    // fusefat says it succeeded even when it could not open /dev/fuse.
    if (runQuietly(command.first(), command.mid(1)) == 0
        && QStorageInfo(folder).rootPath() == QDir(folder).absolutePath())
        unmount = undo + QStringList {folder};
    return mounted();
}

QString tree(const QString &root)
{
    return listTree(root).filter(QRegularExpression(" \\d+$")).join('\n');
}

void matches(const QString &text, const QString &pattern)
{
    QVERIFY2(
            QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch(),
            qPrintable(text));
}

bool TestTree::mount(Mount::Kind kind, const QString &folder, const QString &source,
                     const QString &theirs)
{
    mounted = std::make_unique<Mount>(kind, folder, source, theirs);
    skipReason = mounted->reason;
    return mounted->mounted();
}

QString TestTree::destination(const QString &disk)
{
    const QString des = filePath("des");
    const bool ok = disk == "ntfs-3g" ? mount(Mount::Ntfs, des, filePath("ntfs.img"))
            : disk == "fat"           ? mount(Mount::Fat, des, filePath("fat.img"))
            : disk.startsWith("sshfs")
            ? mount(Mount::Sshfs, des, filePath("shared"),
                    disk.endsWith("race") ? filePath("a.jpg") : QString())
            : true;
    return ok ? des : QString();
}

Mount::~Mount()
{
    // A mount cannot go while it is the working directory; lazily when something looks in.
    if (QDir::currentPath().startsWith(folder))
        QDir::setCurrent(QCoreApplication::applicationDirPath());
    if (mounted() && runQuietly(unmount.first(), unmount.mid(1)) != 0)
        runQuietly(unmount.first(),
                   QStringList {unmount.first() == "umount" ? "-l" : "-z"} + unmount.mid(1));
}

bool Mount::remount(const QString &options) const
{
    return runQuietly("mount", {"-o", "remount,bind," + options, folder}) == 0;
}

HttpServer::HttpServer()
{
    connect(this, &QTcpServer::newConnection, this, &HttpServer::serve);
    listen(QHostAddress::LocalHost);
}

QUrl HttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
}

QByteArray HttpServer::reply(const QByteArray &status, const QByteArray &body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/html\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

void HttpServer::serve()
{
    while (QTcpSocket *socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
                return;
            requested << socket->readAll().split(' ').value(1);
            if (const QByteArray answer = replies.value(requested.last(), fallback);
                !answer.isEmpty())
                socket->write(answer), socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}
