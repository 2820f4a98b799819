#include "companion/DirWalker.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Entries to make below the root: "dir/" a folder, "name" an empty file, "name -> target"
// a symbolic link; "@outside" in a target stands for a folder outside the tree.
using Layout = QStringList;

static void make(const QByteArray &root, const QByteArray &outside, const Layout &layout)
{
    for (const QString &entry : layout) {
        const QByteArray line = entry.toUtf8();
        const int arrow = line.indexOf(" -> ");
        if (arrow >= 0) {
            QByteArray target = line.mid(arrow + 4);
            target.replace("@outside", outside);
            QVERIFY(symlink(target.constData(), (root + '/' + line.left(arrow)).constData()) == 0);
        } else if (line.endsWith('/')) {
            QVERIFY(QDir().mkpath(QFile::decodeName(root + '/' + line)));
        } else {
            const int fd = ::open((root + '/' + line).constData(), O_CREAT | O_WRONLY, 0644);
            QVERIFY(fd >= 0);
            ::close(fd);
        }
    }
}

static QStringList relativePaths(const QString &root, const QList<QFileInfo> &files)
{
    QStringList paths;
    for (const QFileInfo &info : files) {
        if (!info.filePath().startsWith(root + QLatin1Char('/')))
            return {QStringLiteral("outside the root: ") + info.filePath()};
        paths << info.filePath().mid(root.size() + 1);
    }
    paths.sort();
    return paths;
}

class tst_DirWalker : public QObject
{
    Q_OBJECT

private slots:
    void listsTree_data();
    void listsTree();
    void leavesOutUndecodableNames();
    void countsUnreadableFolder();
    void cancelEndsLargeWalk();
};

void tst_DirWalker::listsTree_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("nested, hidden files and dot-folders")
            << Layout {"a.txt",        ".hidden",           "sub/.git/", "sub/.git/config",
                       "sub/deep/er/", "sub/deep/er/c.JPG", "sub/b.jpg", "empty/"}
            << QStringList {".hidden", "a.txt", "sub/.git/config", "sub/b.jpg",
                            "sub/deep/er/c.JPG"};
    QTest::newRow("links looping back")
            << Layout {"sub/", "sub/x.txt", "sub/up -> ..", "sub/self -> self", "top -> ."}
            << QStringList {"sub/self", "sub/x.txt"};
    QTest::newRow("link to a folder outside")
            << Layout {"a.txt", "out -> @outside", "abs -> @outside/secret.txt"}
            << QStringList {"a.txt", "abs"};
    QTest::newRow("link to a file and a dangling link")
            << Layout {"a.txt", "b.lnk -> a.txt", "gone -> nowhere.txt"}
            << QStringList {"a.txt", "b.lnk", "gone"};
    QTest::newRow("names with spaces and UTF-8")
            << Layout {"caf\u00e9 au lait.txt", "\u65e5\u672c/", "\u65e5\u672c/\u8a9e.md"}
            << QStringList {"caf\u00e9 au lait.txt", "\u65e5\u672c/\u8a9e.md"};
}

void tst_DirWalker::listsTree()
{
    QFETCH(Layout, layout);
    QFETCH(QStringList, expected);
    QTemporaryDir tree;
    QTemporaryDir outside;
    make(QFile::encodeName(tree.path()), QFile::encodeName(outside.path()),
         {QStringLiteral("../") + QDir(tree.path()).relativeFilePath(outside.path())});
    QVERIFY(QDir(outside.path()).exists());
    QFile secret(outside.filePath(QStringLiteral("secret.txt")));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.close();
    make(QFile::encodeName(tree.path()), QFile::encodeName(outside.path()), layout);

    Mv::DirWalker walker(tree.path() + QLatin1Char('/'));
    QList<QFileInfo> files;
    QVERIFY(walker.run(files));
    QCOMPARE(relativePaths(tree.path(), files), expected);
    QCOMPARE(walker.filesFound(), expected.size());
    const Mv::WalkReport report = walker.report();
    QVERIFY(!report.cancelled);
    QCOMPARE(report.unreadableFolders, 0);
    QCOMPARE(report.undecodableNames, 0);
}

void tst_DirWalker::leavesOutUndecodableNames()
{
    QTemporaryDir tree;
    const QByteArray root = QFile::encodeName(tree.path());
    make(root, {}, {"good.txt", "caf\u00e9.txt"});
    for (const QByteArray name : {"\xff\xfe", "caf\xe9.doc", "\xe9t\xe9"}) {
        if (name.startsWith('\xe9'))
            QVERIFY(mkdir((root + '/' + name).constData(), 0755) == 0);
        else
            QVERIFY(::close(::open((root + '/' + name).constData(), O_CREAT, 0644)) == 0);
    }
    // A file below a folder whose name cannot be decoded cannot be named either.
    QVERIFY(::close(::open((root + "/\xe9t\xe9/inner.txt").constData(), O_CREAT, 0644)) == 0);

    for (const char *pattern :
         {"/\\\\xff\\\\xfe: ", "/caf\\\\xe9\\.doc: ", "/\\\\xe9t\\\\xe9/inner\\.txt: "})
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QLatin1String(pattern)));
    Mv::DirWalker walker(tree.path());
    QList<QFileInfo> files;
    QVERIFY(walker.run(files));
    QCOMPARE(relativePaths(tree.path(), files),
             (QStringList {QStringLiteral("caf\u00e9.txt"), QStringLiteral("good.txt")}));
    QCOMPARE(walker.report().undecodableNames, 3);

    // Qt cannot see these names either, so QTemporaryDir would leave them behind.
    QVERIFY(unlink((root + "/\xe9t\xe9/inner.txt").constData()) == 0);
    QVERIFY(rmdir((root + "/\xe9t\xe9").constData()) == 0);
    QVERIFY(unlink((root + "/\xff\xfe").constData()) == 0);
    QVERIFY(unlink((root + "/caf\xe9.doc").constData()) == 0);
}

// Root reads every folder, so the walk runs in a child process without root's rights.
void tst_DirWalker::countsUnreadableFolder()
{
    QTemporaryDir tree;
    make(QFile::encodeName(tree.path()), {}, {"open/", "open/a.txt", "locked/", "locked/b.txt"});
    QVERIFY(QFile::setPermissions(tree.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                          | QFile::ReadOther | QFile::ExeOther));
    QVERIFY(::chmod(QFile::encodeName(tree.filePath("locked")).constData(), 0700) == 0);

    int channel[2];
    QVERIFY(pipe(channel) == 0);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::close(channel[0]);
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(3);
        Mv::DirWalker walker(tree.path());
        QList<QFileInfo> files;
        const bool ok = walker.run(files);
        const QByteArray out = QByteArray::number(ok) + ' '
                + QByteArray::number(walker.report().unreadableFolders) + '\n'
                + relativePaths(tree.path(), files).join(QLatin1Char('\n')).toUtf8();
        _exit(::write(channel[1], out.constData(), size_t(out.size())) == out.size() ? 0 : 4);
    }
    ::close(channel[1]);
    QByteArray out;
    char chunk[4096];
    for (ssize_t n; (n = ::read(channel[0], chunk, sizeof chunk)) > 0;)
        out.append(chunk, n);
    ::close(channel[0]);
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        QSKIP("cannot drop root's rights to uid 65534 here");
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(out, QByteArray("0 1\nopen/a.txt"));
}

void tst_DirWalker::cancelEndsLargeWalk()
{
    QTemporaryDir tree;
    const QByteArray root = QFile::encodeName(tree.path());
    const int folders = 200, filesPerFolder = 1000;
    // Hard links make the 200 000 files in a fraction of the time new files would take.
    for (int f = 0; f < folders; ++f) {
        const QByteArray folder = root + "/d" + QByteArray::number(f);
        QVERIFY(mkdir(folder.constData(), 0755) == 0);
        const QByteArray original = folder + "/file0.bin";
        QVERIFY(::close(::open(original.constData(), O_CREAT, 0644)) == 0);
        for (int i = 1; i < filesPerFolder; ++i) {
            const QByteArray name = folder + "/file" + QByteArray::number(i) + ".bin";
            QVERIFY2(link(original.constData(), name.constData()) == 0, name.constData());
        }
    }

    Mv::DirWalker walker(tree.path());
    QList<QFileInfo> files;
    std::atomic<bool> done {false};
    bool ok = true;
    std::thread worker([&] {
        ok = walker.run(files);
        done = true;
    });
    while (walker.filesFound() == 0 && !done)
        std::this_thread::yield();
    walker.cancel();
    worker.join();
    QVERIFY(!ok);
    QVERIFY(walker.report().cancelled);
    QVERIFY(files.size() < folders * filesPerFolder);
    QCOMPARE(walker.report().unreadableFolders, 0);
}

QTEST_GUILESS_MAIN(tst_DirWalker)
#include "tst_dirwalker.moc"
