#include "companion/DirWalker.h"
#include "core/Clutter.h"
#include "core/FileType.h"
#include "core/TypeStatistics.h"
#include "support/Lists.h"
#include "support/TestTree.h"

#include <QLocale>
#include <QSignalSpy>
#include <thread>

// The walk of a tree and what it lists, and the file types and their figures.
class tst_Walk : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestTree> temp;

private slots:
    void init() { QVERIFY(QDir::setCurrent((temp = std::make_unique<TestTree>())->path())); }
    void cleanup() { temp.reset(); }

    void listsTree_data()
    {
        // -1: as many as suit a share, on sshfs; -2: the pool, on disk that records no kinds
        QTest::addColumn<int>("threads");
        QTest::addColumn<QStringList>("layout"); // none: 40 folders of 1000 files, many batches
        QTest::addColumn<QStringList>("expected");
        // The rules asked for on a tree that holds every kind they know, and what they set aside.
        QTest::addColumn<QString>("rules"); // none: a tree of other files
        QTest::addColumn<QStringList>("aside");
        const auto row = [](const QByteArray &name, int threads, const QString &layout,
                            const QString &expected, const QString &rules = {},
                            const QString &aside = {}) {
            QTest::newRow(name) << threads << layout.split(',', Qt::SkipEmptyParts)
                                << expected.split(',', Qt::SkipEmptyParts) << rules
                                << aside.split(',', Qt::SkipEmptyParts);
        };
        const QString nested
                = "a.txt,.hidden,sub/.git/config,sub/deep/c.JPG,empty/,fifo|,"
                  "caf\u00e9 au lait.txt,\u65e5\u672c/\u8a9e.md,x/a.jpg,y/a.JPG,x/y/a.jpg";
        // Links to folders are not followed, not even out of the tree (sshfs cannot read those).
        const QString links = "in/x.txt,toIn>in,toFile.txt>in/x.txt,gone.txt>nowhere,in/loop>loop";
        for (int threads : {1, 0, -1, -2}) {
            const QByteArray walk
                    = QList<QByteArray> {"ext2", "sshfs", "pool", "one thread"}.at(threads + 2);
            row("nested, " + walk, threads, nested,
                ".hidden,a.txt,caf\u00e9 au lait.txt,sub/.git/config,sub/deep/c.JPG,x/a.jpg,"
                "x/y/a.jpg,y/a.JPG,\u65e5\u672c/\u8a9e.md");
            row("links, " + walk, threads, links + (threads == -1 ? "" : ",up>..,out>/usr"),
                "gone.txt,in/loop,in/x.txt,toFile.txt");
        }
        row("many threads and batches", 8, {}, {});
        const QString clutter = "a.jpg,._y.jpg=mine,.DS_Store#6,desktop.ini#3,sub/THUMBS.DB#10,"
                                "photos/b.jpg,photos/@eaDir/b.jpg/SYNOFILE_THUMB_M.jpg,"
                                ".AppleDouble/b.jpg,.Spotlight-V100/Store-V2/x,lost+found/,"
                                ".Trash-1000/files/old.jpg,$Recycle.Bin/S-1/x.jpg";
        const QString all = "._y.jpg,._z.jpg,a.jpg,photos/b.jpg";
        const QString regenerable = ".AppleDouble/b.jpg,.DS_Store,.Spotlight-V100/Store-V2/x,"
                                    "._a.jpg,desktop.ini,photos/@eaDir/b.jpg/SYNOFILE_THUMB_M.jpg,"
                                    "sub/THUMBS.DB";
        const QString heldBack = "#snapshot/2024/photos/b.jpg,$Recycle.Bin/S-1/x.jpg,"
                                 ".Trash-1000/files/old.jpg";
        const QString asideRegenerable
                = ".AppleDouble/: left out: Mac resource fork,.DS_Store 6: left out: Mac folder "
                  "data,.Spotlight-V100/: left out: Mac folder data,._a.jpg 4096: left out: Mac "
                  "resource fork,desktop.ini 3: left out: Windows folder settings,photos/@eaDir/: "
                  "left out: thumbnail cache,sub/THUMBS.DB 10: left out: thumbnail cache";
        const QString asideHeldBack = "#snapshot/: held back: snapshot folder,$Recycle.Bin/: "
                                      "held back: trash folder,.Trash-1000/: held back: trash "
                                      "folder,lost+found/: held back: system folder";
        for (int threads : {0, -2, -1})
            row(QByteArray("all left out") + (threads ? ", " : "")
                        + QList<QByteArray> {"ext2", "sshfs", ""}.at(threads + 2),
                threads, clutter, all, "all", asideHeldBack + ',' + asideRegenerable);
        row("system files included", 0, clutter, all + ',' + regenerable, "held back",
            asideHeldBack);
        row("trash and snapshots included", 0, clutter, all + ',' + heldBack, "regenerable",
            asideRegenerable);
        row("all included", 0, clutter, all + ',' + regenerable + ',' + heldBack, "none");
    }
    // Every file once, at its own path and under its type, in the order the list was filled;
    // also after the files of one type are taken out of the list. Each rule sets its entries
    // aside, unread and unwalked, and only while it is asked for; a "._" file without the
    // AppleDouble mark is the user's.
    void listsTree()
    {
        QFETCH(int, threads);
        QFETCH(QStringList, layout);
        QFETCH(QStringList, expected);
        QFETCH(QString, rules);
        expected.sort(); // after the walk, whose order is its own
        QString root = temp->filePath("tree");
        if (threads == -2)
            temp->mount(Mount::Ext2, root, temp->filePath("ext2.img"));
        layout.isEmpty() ? makeLargeTree(root, 40, 1000) : temp->make(layout, "tree");
        if (!rules.isEmpty()) {
            writeFile(root + "/#snapshot/2024/photos/b.jpg", {}); // a table cannot spell "#"
            writeFile(root + "/._a.jpg", QByteArray("\x00\x05\x16\x07", 4).leftJustified(4096, 0));
            writeFile(root + "/._z.jpg", QByteArray(4096, 0));
        }
        if (layout.isEmpty())
            expected = entries(root, QDir::Files);
        if (threads == -1) {
            temp->mount(Mount::Sshfs, temp->filePath("share"), root);
            root = temp->filePath("share");
        }
        if (!temp->skipReason.isEmpty())
            QSKIP(qPrintable(temp->skipReason));
        Mv::DirWalker walker(root + '/', qMax(threads, 0));
        QCOMPARE(walker.threadCount() > 1, threads != 1);
        walker.leaveOut(rules == "all" ? Clutter::regenerable() | Clutter::heldBack()
                                : rules == "held back"   ? Clutter::heldBack()
                                : rules == "regenerable" ? Clutter::regenerable()
                                                         : Clutter::Rules());
        FileList files;
        QStringList arrived;
        QVERIFY(walker.run(files, [&](const FileList &list, qsizetype first, qsizetype count) {
            QCOMPARE(first, arrived.size());
            for (qsizetype i = first; i < first + count; ++i)
                arrived << list.relativePath(i);
        }));
        QStringList paths = pathsOf(files);
        QCOMPARE(arrived, paths);
        paths.sort();
        QCOMPARE(paths, expected);
        QCOMPARE(walker.filesFound(), paths.size());
        const Mv::WalkReport report = walker.report();
        QVERIFY(!report.cancelled && !report.unreadableFolders && !report.undecodableNames);
        QStringList ruledOut;
        for (const Clutter::Entry &entry : report.ruledOut)
            ruledOut << QDir(root).relativeFilePath(entry.path)
                            + (entry.folder ? "/" : " " + QString::number(entry.bytes)) + ": "
                            + Clutter::reason(entry.rule);
        QFETCH(QStringList, aside);
        ruledOut.sort(), aside.sort();
        QCOMPARE(ruledOut, aside);

        const QString gone = files.types().at(files.type(0));
        QList<qsizetype> out;
        for (qsizetype i = 0; i < files.size(); ++i) {
            if (files.type(i) == files.type(0))
                out << i;
        }
        files.remove(out);
        arrived.removeIf(
                [&](const QString &path) { return QFileInfo(path).suffix().toLower() == gone; });
        QCOMPARE(pathsOf(files), arrived);
        QMap<QString, qsizetype> perType;
        for (const QString &path : arrived)
            ++perType[QFileInfo(path).suffix().toLower()];
        perType[gone] = 0;
        for (auto it = perType.cbegin(); it != perType.cend(); ++it)
            QCOMPARE(files.count(files.findType(it.key())), it.value());
    }

    void cancelEndsLargeWalk()
    {
        // Cut short between folders, and within the last one; the whole disk too.
        makeLargeTree(temp->filePath("nested"), 200, 1000);
        makeLargeTree(temp->filePath("flat"), 1, 60000); // as many links as a file may have
        for (int walk = 0; walk < 5; ++walk) {
            Mv::DirWalker walker(walk == 4 ? "/" : temp->filePath(walk < 2 ? "nested" : "flat"),
                                 walk % 2 ? 8 : 1);
            FileList files;
            std::atomic<bool> done {false}, ok {true};
            std::thread worker([&] { ok = walker.run(files), done = true; });
            while (walker.filesFound() == 0 && !done)
                std::this_thread::yield();
            walker.cancel();
            worker.join();
            QVERIFY(!ok && walker.report().cancelled
                    && (walk == 4 || !walker.report().unreadableFolders));
            QVERIFY(files.size() < 200000 && !files.path(0).startsWith("//"));
        }
    }

    // Rules that need no disk of their own: names, types, figures, texts and commands.
    void fileType_data()
    {
        addRows({"row|path|type", "upper case|/p/a.JPG|jpg", "two dots|/p/archive.tar.gz|gz",
                 "no dot|/p/README|", "trailing dot|/p/notes.|", "dot-file|/p/.bashrc|bashrc",
                 "dot-file with suffix|/p/.picasa.ini|ini", "dot in folder only|/p.d/Makefile|",
                 "relative|x.Png|png", "non-ASCII|/p/Été.ÄVI|ävi"});
    }
    // The scan and the pick must agree with QFileInfo on every name, or files go missing.
    void fileType()
    {
        QFETCH(QString, path);
        QFETCH(QString, type);
        QCOMPARE(fileSuffix(path).toString(), QFileInfo(path).suffix());
        // Many suffixes, so that the table of types grows while the list is filled.
        QStringList paths;
        QSet<QString> expected {type};
        for (int i = 0; i < 200; ++i) {
            paths << QStringLiteral("f.T%1").arg(i) << path.mid(path.startsWith('/'));
            expected << QStringLiteral("t%1").arg(i);
        }
        const TypeStatistics statistics(fileListOf("/", paths));
        QCOMPARE(statistics.types().size(), expected.size());
        QCOMPARE(QSet<QString>(statistics.types().cbegin(), statistics.types().cend()), expected);
        QCOMPARE(statistics.figures(type).files, qint64(200));
    }

    void sizesOnePass()
    {
        QStringList paths;
        QMap<QString, qint64> expected;
        for (int i = 0; i < 120; ++i) {
            paths << QString("f%1/%2.%3")
                             .arg(i % 5)
                             .arg(i)
                             .arg(QStringList {"JPG", "jpg", "", "gz"}.at(i % 4));
            temp->make({paths.last() + '#' + QString::number(i * 37 % 5000)});
            expected[QFileInfo(paths.last()).suffix().toLower()] += i * 37 % 5000;
        }
        const FileList files = fileListOf(temp->path(), paths);
        TypeStatistics statistics(files);
        TypeSizer sizer;
        connect(&sizer, &TypeSizer::sized, this,
                [&](const QList<qint64> &bytes, const QList<qint64> &sized) {
                    statistics.addSizes(bytes, sized);
                });
        QSignalSpy finished(&sizer, &TypeSizer::finished);
        // A second start before the first pass's figures arrived: only the second pass counts.
        sizer.start(files);
        QTest::qSleep(200);
        sizer.start(files);
        QVERIFY(finished.wait(20000));
        QTest::qWait(50);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(statistics.types().size(), expected.size());
        for (const QString &type : expected.keys()) {
            QCOMPARE(statistics.figures(type).bytes, expected[type]);
            QCOMPARE(statistics.figures(type).sizedFiles, statistics.figures(type).files);
        }
        QCOMPARE(statistics.figures("gz").files, qint64(30));
    }

    void figuresText_data()
    {
        addRows({"row|figures|text", // files, bytes, sized files
                 "large|1204 3435973837 1204|1,204 files · 3.4 GB",
                 "one file|1 512 1|1 file · 512 bytes",
                 "partly sized|10 42002 3|10 files · 42.0 kB…", "not sized yet|7 0 0|7 files · …",
                 "no file|0 0 0|0 files · 0 bytes"});
    }
    void figuresText()
    {
        QFETCH(QString, figures);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TypeStatistics::Figures given;
        given.files = figures.section(' ', 0, 0).toLongLong();
        given.bytes = figures.section(' ', 1, 1).toLongLong();
        given.sizedFiles = figures.section(' ', 2, 2).toLongLong();
        QTEST(TypeStatistics::figuresText(given), "text");
    }
};

QTEST_GUILESS_MAIN(tst_Walk)
#include "tst_walk.moc"
