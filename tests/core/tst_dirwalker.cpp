#include "TestSupport.h"
#include "companion/DirWalker.h"

#include <atomic>
#include <sys/stat.h>
#include <thread>

// Links, unreadable folders and undecodable names are walked in tst_faults, through the window.
class tst_DirWalker : public QObject
{
    Q_OBJECT

private slots:
    void listsTree_data();
    void listsTree();
    void cancelEndsLargeWalk();
};

void tst_DirWalker::listsTree_data()
{
    // Entries to make below the root: "dir/" a folder, "name" an empty file.
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("nested, hidden files and dot-folders")
            << QStringList {"a.txt",     ".hidden", "sub/.git/config", "sub/deep/er/c.JPG",
                            "sub/b.jpg", "empty/"}
            << QStringList {".hidden", "a.txt", "sub/.git/config", "sub/b.jpg",
                            "sub/deep/er/c.JPG"};
    QTest::newRow("names with spaces and UTF-8")
            << QStringList {"caf\u00e9 au lait.txt", "\u65e5\u672c/\u8a9e.md"}
            << QStringList {"caf\u00e9 au lait.txt", "\u65e5\u672c/\u8a9e.md"};
}

void tst_DirWalker::listsTree()
{
    QFETCH(QStringList, layout);
    QFETCH(QStringList, expected);
    QTemporaryDir tree;
    for (const QString &entry : layout) {
        if (entry.endsWith('/'))
            QVERIFY(QDir().mkpath(tree.filePath(entry)));
        else
            writeFile(tree.filePath(entry), {});
    }

    Mv::DirWalker walker(tree.path() + QLatin1Char('/'));
    QList<QFileInfo> files;
    QVERIFY(walker.run(files));
    QStringList paths;
    for (const QFileInfo &info : files)
        paths << QDir(tree.path()).relativeFilePath(info.filePath());
    paths.sort();
    QCOMPARE(paths, expected);
    QCOMPARE(walker.filesFound(), expected.size());
    const Mv::WalkReport report = walker.report();
    QVERIFY(!report.cancelled);
    QCOMPARE(report.unreadableFolders, 0);
    QCOMPARE(report.undecodableNames, 0);
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
        touch(original);
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
