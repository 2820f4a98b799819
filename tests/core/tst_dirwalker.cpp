#include "TestSupport.h"
#include "companion/DirWalker.h"

#include <atomic>
#include <memory>
#include <sys/stat.h>
#include <thread>

// Links, unreadable folders and undecodable names are walked in tst_faults, through the window.
class tst_DirWalker : public QObject
{
    Q_OBJECT

private slots:
    void listsTree_data();
    void listsTree();
    void cancelEndsLargeWalk_data();
    void cancelEndsLargeWalk();
};

enum class Walk { OneThread, Pool, PoolOnShare };
Q_DECLARE_METATYPE(Walk)

void tst_DirWalker::listsTree_data()
{
    // Layouts as makeTree takes them. A walk that follows the link to a folder lists
    // "toIn/x.txt" as well.
    QTest::addColumn<Walk>("walk");
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QStringList>("expected");

    const QStringList nested {"a.txt",     ".hidden", "sub/.git/config", "sub/deep/er/c.JPG",
                              "sub/b.jpg", "empty/"};
    const QStringList nestedFound {".hidden", "a.txt", "sub/.git/config", "sub/b.jpg",
                                   "sub/deep/er/c.JPG"};
    const QStringList links {"in/x.txt", "toIn>in", "toFile.txt>in/x.txt", "gone.txt>nowhere"};
    const QStringList linksFound {"gone.txt", "in/x.txt", "toFile.txt"};
    QTest::newRow("nested, one thread") << Walk::OneThread << nested << nestedFound;
    QTest::newRow("nested, pool") << Walk::Pool << nested << nestedFound;
    QTest::newRow("names with spaces and UTF-8")
            << Walk::Pool << QStringList {"caf\u00e9 au lait.txt", "\u65e5\u672c/\u8a9e.md"}
            << QStringList {"caf\u00e9 au lait.txt", "\u65e5\u672c/\u8a9e.md"};
    QTest::newRow("links, one thread") << Walk::OneThread << links << linksFound;
    QTest::newRow("links, pool") << Walk::Pool << links << linksFound;
    QTest::newRow("links on sshfs") << Walk::PoolOnShare << links << linksFound;
}

void tst_DirWalker::listsTree()
{
    QFETCH(Walk, walk);
    QFETCH(QStringList, layout);
    QFETCH(QStringList, expected);
    QTemporaryDir temp;
    const QString tree = temp.filePath("tree");
    makeTree(tree, layout);
    QString root = tree;
    std::unique_ptr<SftpShare> share;
    if (walk == Walk::PoolOnShare) {
        root = temp.filePath("share");
        share.reset(new SftpShare(tree, root));
        if (!share->mounted)
            QSKIP(qPrintable(share->reason));
    }

    Mv::DirWalker walker(root + QLatin1Char('/'), walk == Walk::OneThread ? 1 : 0);
    QCOMPARE(walker.threadCount() > 1, walk != Walk::OneThread);
    QList<QFileInfo> files;
    QStringList arrived;
    QVERIFY(walker.run(files, [&](const QFileInfo *first, qsizetype count, qsizetype index) {
        QCOMPARE(index, arrived.size());
        for (qsizetype i = 0; i < count; ++i)
            arrived << first[i].filePath();
    }));
    QStringList paths;
    for (const QFileInfo &info : files)
        paths << QDir(root).relativeFilePath(info.filePath());
    QCOMPARE(arrived.size(), files.size());
    QCOMPARE(arrived.constLast(), files.constLast().filePath());
    paths.sort();
    QCOMPARE(paths, expected);
    QCOMPARE(walker.filesFound(), expected.size());
    const Mv::WalkReport report = walker.report();
    QVERIFY(!report.cancelled);
    QCOMPARE(report.unreadableFolders, 0);
    QCOMPARE(report.undecodableNames, 0);
}

void tst_DirWalker::cancelEndsLargeWalk_data()
{
    QTest::addColumn<int>("threads");
    QTest::newRow("one thread") << 1;
    QTest::newRow("pool") << 8;
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

    QFETCH(int, threads);
    Mv::DirWalker walker(tree.path(), threads);
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
