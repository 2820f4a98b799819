#include "TestSupport.h"
#include "companion/DirWalker.h"

#include <thread>

class tst_DirWalker : public QObject
{
    Q_OBJECT

private slots:
    void listsTree_data();
    void listsTree();
    void cancelEndsLargeWalk_data();
    void cancelEndsLargeWalk();
};

void tst_DirWalker::listsTree_data()
{
    QTest::addColumn<int>("threads"); // -1: as many as suit a share, on sshfs
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QStringList>("expected");
    const QStringList nested {"a.txt",
                              ".hidden",
                              "sub/.git/config",
                              "sub/deep/c.JPG",
                              "empty/",
                              "caf\u00e9 au lait.txt",
                              "\u65e5\u672c/\u8a9e.md",
                              "fifo|"};
    // Links to folders are not followed, not even out of the tree (sshfs cannot read those).
    const QStringList links {"in/x.txt",         "toIn>in",      "toFile.txt>in/x.txt",
                             "gone.txt>nowhere", "in/loop>loop", "up>..",
                             "out>/usr"};
    for (int threads : {1, 0, -1}) {
        const QByteArray walk = threads ? threads < 0 ? "sshfs" : "one thread" : "pool";
        QTest::newRow("nested, " + walk)
                << threads << nested
                << QStringList {".hidden",         "a.txt",          "caf\u00e9 au lait.txt",
                                "sub/.git/config", "sub/deep/c.JPG", "\u65e5\u672c/\u8a9e.md"};
        QTest::newRow("links, " + walk)
                << threads << links.mid(0, threads < 0 ? 5 : 7)
                << QStringList {"gone.txt", "in/loop", "in/x.txt", "toFile.txt"};
    }
}

void tst_DirWalker::listsTree()
{
    QFETCH(int, threads);
    QFETCH(QStringList, layout);
    TestTree temp;
    temp.make(layout, "tree");
    QString root = temp.filePath("tree");
    std::unique_ptr<SftpShare> share;
    if (threads < 0) {
        share = std::make_unique<SftpShare>(root, temp.filePath("share"));
        if (!share->mounted)
            QSKIP(qPrintable(share->reason));
        root = temp.filePath("share");
    }
    Mv::DirWalker walker(root + '/', qMax(threads, 0));
    QCOMPARE(walker.threadCount() > 1, threads != 1);
    QList<QFileInfo> files;
    QStringList arrived, paths;
    QVERIFY(walker.run(files, [&](const QFileInfo *first, qsizetype count, qsizetype index) {
        QCOMPARE(index, arrived.size());
        for (qsizetype i = 0; i < count; ++i)
            arrived << QDir(root).relativeFilePath(first[i].filePath());
    }));
    for (const QFileInfo &info : files)
        paths << QDir(root).relativeFilePath(info.filePath());
    QCOMPARE(arrived, paths);
    paths.sort();
    QTEST(paths, "expected");
    QCOMPARE(walker.filesFound(), paths.size());
    const Mv::WalkReport report = walker.report();
    QVERIFY(!report.cancelled && !report.unreadableFolders && !report.undecodableNames);
}

void tst_DirWalker::cancelEndsLargeWalk_data()
{
    QTest::addColumn<int>("threads");
    QTest::newRow("one thread") << 1;
    QTest::newRow("pool") << 8;
}

void tst_DirWalker::cancelEndsLargeWalk()
{
    TestTree tree;
    // Hard links make the 200 000 files in a fraction of the time new files would take.
    for (int f = 0; f < 200; ++f) {
        tree.make({QString("d%1/0").arg(f)});
        const QByteArray folder = QFile::encodeName(tree.filePath(QString("d%1/").arg(f)));
        for (int i = 1; i < 1000; ++i)
            QVERIFY(!link(folder + "0", folder + QByteArray::number(i)));
    }
    QFETCH(int, threads);
    Mv::DirWalker walker(tree.path(), threads);
    QList<QFileInfo> files;
    std::atomic<bool> done {false}, ok {true};
    std::thread worker([&] { ok = walker.run(files), done = true; });
    while (walker.filesFound() == 0 && !done)
        std::this_thread::yield();
    walker.cancel();
    worker.join();
    QVERIFY(!ok && walker.report().cancelled && !walker.report().unreadableFolders);
    QVERIFY(files.size() < 200000);
}

QTEST_GUILESS_MAIN(tst_DirWalker)
#include "tst_dirwalker.moc"
