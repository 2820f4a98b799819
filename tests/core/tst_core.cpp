#include "companion/DirWalker.h"
#include "companion/Downloader.h"
#include "core/Clutter.h"
#include "core/Disk.h"
#include "core/FileCopier.h"
#include "core/FileType.h"
#include "core/PickPreflight.h"
#include "core/PickReport.h"
#include "core/PickRules.h"
#include "core/Site.h"
#include "core/SmallFile.h"
#include "core/Staging.h"
#include "core/TypeMemory.h"
#include "core/TypeStatistics.h"
#include "groups/FileTypeGroupStore.h"
#include "launcher/BrowserCommand.h"
#include "support/Lists.h"
#include "support/TestTree.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QSysInfo>
#include <csignal>
#include <dlfcn.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

// The syncs of whole disks and the links of unnamed files, in the order the copier made them:
// this executable stands in for the C library's two functions and passes each call on.
namespace {
std::mutex callsLock;
QStringList durabilityCalls;
void record(const char *call)
{
    const std::lock_guard<std::mutex> hold(callsLock);
    durabilityCalls << call;
}
} // namespace

extern "C" int syncfs(int fd)
{
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "syncfs"));
    record("sync");
    return real(fd);
}

extern "C" int linkat(int from, const char *path, int to, const char *name, int flags)
{
    static const auto real = reinterpret_cast<int (*)(int, const char *, int, const char *, int)>(
            dlsym(RTLD_NEXT, "linkat"));
    record("link");
    return real(from, path, to, name, flags);
}

// The widget-free parts: what reads and writes disks, shares and the network, and the rules;
// each test works in a fresh tree.
class tst_Core : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestTree> temp;
    std::unique_ptr<Mount> mount;
    QString skipReason;

    // "des" in the tree, on the given disk; empty with skipReason when it cannot be.
    QString destination(const QString &disk)
    {
        const QString des = temp->filePath("des");
        if (disk == "ntfs-3g")
            mount = std::make_unique<Mount>(Mount::Ntfs, des, temp->filePath("ntfs.img"));
        if (disk.startsWith("sshfs"))
            mount = std::make_unique<Mount>(Mount::Sshfs, des, temp->filePath("shared"),
                                            disk.endsWith("race") ? temp->filePath("a.jpg") : "");
        if (disk == "fat")
            mount = std::make_unique<Mount>(Mount::Fat, des, temp->filePath("fat.img"));
        skipReason = mount && !mount->mounted() ? mount->reason : "";
        return skipReason.isEmpty() ? des : QString();
    }

    // A pick killed while its copies wait in a staging folder below folder: a child process
    // makes the folder and a file of the given size there, and is killed. Returns the folder.
    static QString killedPick(const QString &folder, int bytes)
    {
        const QDir::Filters folders = QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot;
        const QStringList before = QDir(folder).entryList(folders);
        const pid_t child = ::fork();
        if (child == 0) {
            Staging staging;
            int error = 0;
            const QByteArray place = staging.take(QFile::encodeName(folder), &error);
            const int fd = ::open(Staging::newName(place).constData(), O_CREAT | O_WRONLY, 0600);
            [[maybe_unused]] const ssize_t written = ::write(fd, QByteArray(bytes, 'x'), bytes);
            ::kill(::getpid(), SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        for (const QString &name : QDir(folder).entryList(folders)) {
            if (!before.contains(name))
                return folder + '/' + name;
        }
        return QString();
    }

private slots:
    void init() { QVERIFY(QDir::setCurrent((temp = std::make_unique<TestTree>())->path())); }
    void cleanup() { mount.reset(), temp.reset(); }

    void listsTree_data()
    {
        // -1: as many as suit a share, on sshfs; -2: the pool, on disk that records no kinds
        QTest::addColumn<int>("threads");
        QTest::addColumn<QStringList>("layout");
        QTest::addColumn<QStringList>("expected");
        const QStringList nested = QString("a.txt,.hidden,sub/.git/config,sub/deep/c.JPG,empty/,"
                                           "caf\u00e9 au lait.txt,\u65e5\u672c/\u8a9e.md,fifo|")
                                           .split(',');
        // Links to folders are not followed, not even out of the tree (sshfs cannot read those).
        const QStringList links = QString("in/x.txt toIn>in toFile.txt>in/x.txt gone.txt>nowhere "
                                          "in/loop>loop up>.. out>/usr")
                                          .split(' ');
        for (int threads : {1, 0, -1, -2}) {
            const QByteArray walk
                    = QList<QByteArray> {"ext2", "sshfs", "pool", "one thread"}.at(threads + 2);
            QTest::newRow("nested, " + walk)
                    << threads << nested
                    << QString(".hidden,a.txt,caf\u00e9 au "
                               "lait.txt,sub/.git/config,sub/deep/c.JPG,\u65e5\u672c/\u8a9e.md")
                               .split(',');
            QTest::newRow("links, " + walk)
                    << threads << links.mid(0, threads == -1 ? 5 : 7)
                    << QStringList {"gone.txt", "in/loop", "in/x.txt", "toFile.txt"};
        }
    }
    void listsTree()
    {
        QFETCH(int, threads);
        QFETCH(QStringList, layout);
        QString root = temp->filePath("tree");
        if (threads == -2)
            mount = std::make_unique<Mount>(Mount::Ext2, root, temp->filePath("ext2.img"));
        temp->make(layout, "tree");
        if (threads == -1) {
            mount = std::make_unique<Mount>(Mount::Sshfs, temp->filePath("share"), root);
            root = temp->filePath("share");
        }
        if (mount && !mount->mounted())
            QSKIP(qPrintable(mount->reason));
        Mv::DirWalker walker(root + '/', qMax(threads, 0));
        QCOMPARE(walker.threadCount() > 1, threads != 1);
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
        QTEST(paths, "expected");
        QCOMPARE(walker.filesFound(), paths.size());
        const Mv::WalkReport report = walker.report();
        QVERIFY(!report.cancelled && !report.unreadableFolders && !report.undecodableNames);
    }

    void leavesOutClutter_data()
    {
        // One tree that holds every kind; "none", "held back", "regenerable" or "all" left out.
        const QString all = "._y.jpg,a.jpg,photos/b.jpg";
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
        addRows({"row|disk|leftOut|listed|aside",
                 "all left out||all|" + all + "|" + asideHeldBack + "," + asideRegenerable,
                 "all left out, ext2|ext2|all|" + all + "|" + asideHeldBack + ","
                         + asideRegenerable,
                 "all left out, sshfs|sshfs|all|" + all + "|" + asideHeldBack + ","
                         + asideRegenerable,
                 "system files included||held back|" + all + "," + regenerable + "|"
                         + asideHeldBack,
                 "trash and snapshots included||regenerable|" + all + "," + heldBack + "|"
                         + asideRegenerable,
                 "all included||none|" + all + "," + regenerable + "," + heldBack + "|"});
    }
    // Each rule sets its entries aside, unread and unwalked, and only while it is asked for; a
    // "._" file without the AppleDouble mark is the user's.
    void leavesOutClutter()
    {
        QFETCH(QString, disk);
        QFETCH(QString, leftOut);
        QString root = temp->filePath("tree");
        if (disk == "ext2")
            mount = std::make_unique<Mount>(Mount::Ext2, root, temp->filePath("ext2.img"));
        if (mount && !mount->mounted())
            QSKIP(qPrintable(mount->reason));
        temp->make({"a.jpg", "._y.jpg=mine", ".DS_Store#6", "desktop.ini#3", "sub/THUMBS.DB#10",
                    "photos/b.jpg", "photos/@eaDir/b.jpg/SYNOFILE_THUMB_M.jpg",
                    ".AppleDouble/b.jpg", ".Spotlight-V100/Store-V2/x", ".Trash-1000/files/old.jpg",
                    "$Recycle.Bin/S-1/x.jpg", "lost+found/"},
                   "tree");
        writeFile(root + "/#snapshot/2024/photos/b.jpg", {}); // a table cannot spell "#"
        writeFile(root + "/._a.jpg", QByteArray("\x00\x05\x16\x07", 4).leftJustified(4096, 0));
        if (disk == "sshfs") {
            mount = std::make_unique<Mount>(Mount::Sshfs, temp->filePath("share"), root);
            root = temp->filePath("share");
            if (!mount->mounted())
                QSKIP(qPrintable(mount->reason));
        }
        Mv::DirWalker walker(root);
        walker.leaveOut(leftOut == "all" ? Clutter::regenerable() | Clutter::heldBack()
                                : leftOut == "held back"   ? Clutter::heldBack()
                                : leftOut == "regenerable" ? Clutter::regenerable()
                                                           : Clutter::Rules());
        FileList files;
        QVERIFY(walker.run(files));
        QStringList found[2] {pathsOf(files)};
        for (const Clutter::Entry &entry : walker.report().ruledOut)
            found[1] << QDir(root).relativeFilePath(entry.path)
                            + (entry.folder ? "/" : " " + QString::number(entry.bytes)) + ": "
                            + Clutter::reason(entry.rule);
        QCOMPARE(walker.filesFound(), found[0].size());
        QFETCH(QString, listed);
        QFETCH(QString, aside);
        QStringList expected[] {listed.split(',', Qt::SkipEmptyParts),
                                aside.split(',', Qt::SkipEmptyParts)};
        for (int i : {0, 1}) {
            found[i].sort(), expected[i].sort();
            QCOMPARE(found[i], expected[i]);
        }
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

    void keepsTreeAndOrder_data()
    {
        // ntfs-3g and sshfs offer neither unnamed files nor a rename that never replaces.
        addRows({"row|disk|threads", // no threads: as many as suit the disk
                 "unnamed files, one thread||1", "unnamed files, 8 threads||8",
                 "temporary names, one thread||1", "temporary names, 8 threads||8",
                 "ntfs-3g|ntfs-3g|1", "sshfs|sshfs|"});
    }
    void keepsTreeAndOrder()
    {
        QFETCH(QString, disk);
        QFETCH(QString, threads);
        const bool temporaryNames = !QByteArray(QTest::currentDataTag()).startsWith("unnamed");
        const QString src = temp->filePath("src"), des = destination(disk);
        if (des.isEmpty())
            QSKIP(qPrintable(skipReason));
        // Copies in flight pay on a share, where a folder yet to be made lies too; a local
        // disk's FUSE driver is no share.
        QCOMPARE(Disk::copyThreads(des + "/d0/not yet"),
                 disk == "sshfs"             ? 8
                         : disk == "ntfs-3g" ? 2
                                             : 0);
        // A hidden folder of the user's stays.
        temp->make({"des/.thumbnails of 2009/"});
        QStringList expected {".thumbnails of 2009/"};
        QTest::failOnWarning(QRegularExpression("."));
        const QDateTime old = QDateTime::fromString("2009-05-01T12:00:00", Qt::ISODate);
        // More files than one batch holds, with missing ones in between.
        QStringList relative;
        for (int i = 0; i < 300; ++i) {
            relative << QString("d%1/sub %2/f%3.txt").arg(i % 3).arg(i % 7).arg(i);
            if (i % 50 == 7) {
                QTest::ignoreMessage(QtWarningMsg,
                                     QRegularExpression(QString("f%1.txt .*No such file").arg(i)));
                continue;
            }
            temp->make({"src/" + relative.last() + "=file " + QString::number(i)});
            QFile file(src + '/' + relative.last());
            QVERIFY(file.open(QIODevice::ReadWrite)
                    && file.setFileTime(old, QFileDevice::FileModificationTime));
            expected << relative.last() + QString(" %1").arg(QString::number(i).size() + 5)
                     << relative.last().section('/', 0, 0) + '/'
                     << relative.last().section('/', 0, 1) + '/';
        }
        durabilityCalls.clear();
        FileCopier copier;
        copier.setUseTemporaryNames(temporaryNames);
        threads.isEmpty() ? copier.setDestination(des) : copier.setThreads(threads.toInt());
        QList<FileCopier::Result> results;
        for (const QString &name : relative) {
            copier.copy(src + '/' + name, des + '/' + name);
            results += copier.takeResults();
            QVERIFY(results.isEmpty() || name != relative.first()); // results wait for their batch
        }
        copier.finish();
        results += copier.takeResults();
        QCOMPARE(results.size(), relative.size());
        for (int i = 0; i < relative.size(); ++i) {
            QCOMPARE(results.at(i).target, des + '/' + relative.at(i));
            QCOMPARE(results.at(i).outcome, i % 50 == 7 ? PickItem::Failed : PickItem::Copied);
            QVERIFY(i % 50 == 7
                    || (readFile(results.at(i).target) == "file " + QByteArray::number(i)
                        && QFileInfo(results.at(i).target).lastModified() == old));
        }
        expected.removeDuplicates();
        expected.sort();
        QCOMPARE(listTree(des), expected); // no temporary left behind
        // On a local disk each batch's data is durable before its names, and the names are
        // made durable too, by a last sync after the last link.
        const QString calls = durabilityCalls.join(' ');
        QVERIFY2(temporaryNames
                         || QRegularExpression("^(sync( link)+ )+sync$").match(calls).hasMatch(),
                 qPrintable(calls));
        if (disk != "sshfs")
            return;
        // Each copy was durable on the server before it got its name.
        QStringList synced;
        int named = 0;
        for (const QString &line : QString(readFile(mount->requests)).split('\n')) {
            const QString path = line.section('"', 1, 1);
            if (line.startsWith("fsync "))
                synced << path;
            else if ((line.startsWith("hardlink ") || line.contains("rename "))
                     && !line.section('"', 3, 3).contains("/.trovella-staging-"))
                QVERIFY2(++named && synced.contains(path), qPrintable(line));
        }
        QCOMPARE(named, 294);
    }

    void neverReplaces_data()
    {
        addRows({"row|disk", "unnamed, there before|", "unnamed, appears meanwhile|",
                 "temporary, there before|", "temporary, appears meanwhile|",
                 "temporary, there before, ntfs-3g|ntfs-3g",
                 "temporary, appears meanwhile, ntfs-3g|ntfs-3g",
                 "temporary, there before, sshfs|sshfs",
                 "temporary, appears meanwhile, sshfs|sshfs",
                 "temporary, appears on the server, sshfs|sshfs",
                 "temporary, appears on the server as it gets its name, sshfs|sshfs race"});
    }
    void neverReplaces()
    {
        QFETCH(QString, disk);
        const QString tag = QTest::currentDataTag();
        const bool temporaryNames = tag.startsWith('t'), beforeCopy = tag.contains("before");
        const QString des = destination(disk), old = "a.jpg=old picture, longer than the new one";
        if (des.isEmpty())
            QSKIP(qPrintable(skipReason));
        temp->make({"src/a.jpg=new picture"});
        if (beforeCopy)
            makeTree(des, {old});
        makeTree(temp->path(), {old}); // what the racing client of the share makes
        QTest::failOnWarning(QRegularExpression("."));
        FileCopier copier;
        copier.setUseTemporaryNames(temporaryNames);
        copier.setDestination(des);
        // The copy is written before the other file is made, also on a share.
        copier.setThreads(0);
        copier.copy(temp->filePath("src/a.jpg"), des + "/a.jpg");
        if (!beforeCopy) {
            QVERIFY(copier.takeResults().isEmpty());
            // Made by another client of the share, behind the back of this one.
            if (!disk.endsWith("race"))
                makeTree(tag.contains("server") ? temp->filePath("shared") : des, {old});
        }
        copier.finish();
        const QList<FileCopier::Result> results = copier.takeResults();
        QVERIFY(results.size() == 1 && results.first().outcome == PickItem::Different);
        // As the server has it: the client may hold a stale view of what it did not make.
        const QString there = disk.startsWith("sshfs") ? temp->filePath("shared") : des;
        QCOMPARE(listTree(there), {"a.jpg 36"});
        QCOMPARE(readFile(there + "/a.jpg"), old.mid(6).toUtf8());
    }

    void judgesExisting_data()
    {
        addRows({"row|disk|there|apart|outcome|reason",
                 "ext4, other bytes 2.9 s later, source on a whole second||other|2900|different|",
                 "ext4, a copy||same|0|same|",
                 "FAT, other bytes a second later|fat|other|1000|different|compared byte for byte",
                 "FAT, a copy a second later|fat|same|1000|same|compared byte for byte",
                 "sshfs, other bytes|sshfs|other|0|different|compared byte for byte",
                 "sshfs, a copy|sshfs|same|0|same|compared byte for byte"});
    }
    // A file of the source's size stands at the target already, as two frames of one burst
    // would: it is only called the same where it surely is, and left alone either way.
    void judgesExisting()
    {
        QFETCH(QString, disk);
        QFETCH(QString, there);
        QFETCH(QString, apart);
        QFETCH(QString, outcome);
        const QString des = destination(disk);
        if (des.isEmpty())
            QSKIP(qPrintable(skipReason));
        const QString source = temp->filePath("src/a.raw"), target = des + "/a.raw";
        const QByteArray theirs = there == "same" ? "first frame" : "other frame";
        temp->make({"src/a.raw=first frame"});
        writeFile(target, theirs);
        const bool wholeSecond = QByteArray(QTest::currentDataTag()).contains("whole second");
        const qint64 shot = 1244203200000000000 + (wholeSecond ? 0 : 300000000);
        const auto setTime = [](const QString &path, qint64 time) {
            const timespec times[2] {{time / 1000000000, time % 1000000000},
                                     {time / 1000000000, time % 1000000000}};
            return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
        };
        QVERIFY(setTime(source, shot) && setTime(target, shot + apart.toLongLong() * 1000000));
        FileCopier copier;
        copier.setDestination(des);
        copier.copy(source, target);
        copier.finish();
        const QList<FileCopier::Result> results = copier.takeResults();
        QCOMPARE(results.size(), 1);
        QCOMPARE(results.first().outcome, outcome == "same" ? PickItem::Same : PickItem::Different);
        QTEST(results.first().reason, "reason");
        QCOMPARE(readFile(target), theirs);
    }

    void leftovers_data() { addRows({"row|disk", "local|", "sshfs|sshfs"}); }
    // What killed picks left is removed, by the next pick into the same destination or one of
    // its folders; what is in use, or another machine's pick may still need, stays, and so
    // does everything of the user's, whatever its name.
    void leftovers()
    {
        QFETCH(QString, disk);
        const QString des = destination(disk);
        if (des.isEmpty())
            QSKIP(qPrintable(skipReason));
        makeTree(des,
                 {"Photos/2009/", ".beef.trovella=mine", ".trovella-staging-0123/",
                  ".trovella-staging-0123456789abcdef/0123456789abcdef=mine",
                  ".trovella-staging-fedcba9876543210/lease=not a lease",
                  "Photos/.holiday.trovella-staging/0123456789abcdef=mine"});
        const QString killed = killedPick(des + "/Photos", 1000);
        const QString gone = killedPick(des, 2000);
        const QString renewed = killedPick(des + "/Photos", 300);
        const auto elsewhere = [](const QString &staging, int secondsAgo) {
            QByteArray lease = readFile(staging + "/lease");
            writeFile(staging + "/lease", lease.replace(QSysInfo::machineUniqueId(), "elsewhere"));
            QFile file(staging + "/lease");
            return file.open(QIODevice::ReadWrite)
                    && file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                                        QFileDevice::FileModificationTime);
        };
        QVERIFY(elsewhere(gone, 600) && elsewhere(renewed, 0));
        QFile notes(des + "/.trovella-staging-fedcba9876543210/lease"); // the user's, and old
        QVERIFY(notes.open(QIODevice::ReadWrite)
                && notes.setFileTime(QDateTime::currentDateTime().addYears(-1),
                                     QFileDevice::FileModificationTime));
        notes.close();
        // A pick of this very process whose lock this mount does not see (another mount of
        // the share): its lease, renewed just now, keeps it.
        const QString unlocked = killedPick(des, 400);
        const QByteArray lease = readFile(unlocked + "/lease");
        writeFile(unlocked + "/lease",
                  lease.left(lease.indexOf("pid ")) + "pid " + QByteArray::number(::getpid()));
        // A dead pick's lease in a folder that does not bear the name.
        writeFile(des + "/.trovella-staging-0123456789ABCDEF/lease", readFile(killed + "/lease"));
        Staging live;
        int error = 0;
        QVERIFY(!live.take(QFile::encodeName(des + "/Photos"), &error).isEmpty());
        QStringList expected;
        for (const QString &line : listTree(des)) {
            if (!line.startsWith(QDir(des).relativeFilePath(killed))
                && !line.startsWith(QDir(des).relativeFilePath(gone)))
                expected << line;
        }
        QTest::failOnWarning(QRegularExpression("."));
        FileCopier copier;
        const Staging::Removed removed = copier.removeLeftovers(des);
        QCOMPARE(removed.files, 2);
        QCOMPARE(removed.bytes, 3000);
        QCOMPARE(listTree(des), expected);
        // A scan lists the user's look-alikes, and nothing of a pick's staging folders.
        Mv::DirWalker walker(des, 1);
        FileList files;
        QVERIFY(walker.run(files));
        QStringList listed = pathsOf(files);
        listed.sort();
        QCOMPARE(listed,
                 QStringList({".beef.trovella", ".trovella-staging-0123456789ABCDEF/lease",
                              ".trovella-staging-0123456789abcdef/0123456789abcdef",
                              ".trovella-staging-fedcba9876543210/lease",
                              "Photos/.holiday.trovella-staging/0123456789abcdef"}));
    }

    void secondPickLeavesFirst_data() { addRows({"row|disk", "local|", "sshfs|sshfs", "FAT|fat"}); }
    // A second pick into the destination while the first still copies: the first keeps its
    // staging folders and loses no file.
    void secondPickLeavesFirst()
    {
        QFETCH(QString, disk);
        const QString des = destination(disk), src = temp->filePath("src");
        if (des.isEmpty())
            QSKIP(qPrintable(skipReason));
        QStringList expected {"Music/", "Music/f0.jpg 7", "Photos/"};
        for (int i = 0; i < 40; ++i) {
            temp->make({QString("src/f%1.jpg=file %1").arg(i, 2, 10, QChar('0'))});
            expected << QString("Photos/f%1.jpg 7").arg(i, 2, 10, QChar('0'));
        }
        FileCopier first;
        first.setUseTemporaryNames(true);
        first.setDestination(des + "/Photos");
        for (const QString &name : entries(src))
            first.copy(src + '/' + name, des + "/Photos/" + name);
        FileCopier second;
        second.setUseTemporaryNames(true);
        second.setDestination(des + "/Music");
        QCOMPARE(second.removeLeftovers(des).files, 0);
        second.copy(src + "/f00.jpg", des + "/Music/f0.jpg");
        second.finish();
        first.finish();
        QList<FileCopier::Result> results = first.takeResults() + second.takeResults();
        QCOMPARE(results.size(), 41);
        for (const FileCopier::Result &result : results)
            QVERIFY2(result.outcome == PickItem::Copied, qPrintable(result.reason));
        QCOMPARE(listTree(des), expected);
    }

    void existingAndSpace()
    {
        temp->make({"src/a.txt#300000", "src/sub/b.txt#5000", "src/sub/c:d.txt#400000",
                    "src/e.txt#700000", "src/f.txt#1", "des/"});
        const Mount tmpfs(Mount::Tmpfs, temp->filePath("des"), "size=1m");
        if (!tmpfs.mounted())
            QSKIP(qPrintable(tmpfs.reason));
        temp->make({"des/a.txt=already there", "des/sub/B.txt=not the same name here"});
        QStringList paths;
        for (const QString &line : temp->list("src"))
            if (!line.endsWith('/'))
                paths << line.section(' ', 0, 0);
        const FileList files = fileListOf(temp->filePath("src"), paths);
        const QList<qsizetype> selection = allOf(files);
        const PickPlan plan = PickPreflight::check(files, selection, temp->filePath("des"));
        QCOMPARE(plan.fileSystemType, QByteArray("tmpfs"));
        QCOMPARE(plan.existing, 1);
        // Whole 4 KiB blocks of tmpfs: 5000, 400000, 700000 and 1 byte round up to 2 + 98 + 171
        // + 1.
        QCOMPARE(plan.bytesNeeded, qint64(272 * 4096));
        QCOMPARE(plan.bytesFree, QStorageInfo(temp->filePath("des")).bytesAvailable());
        QVERIFY(plan.lacksSpace() && plan.unstorable.isEmpty() && plan.needsConsent());
        // Not made yet: the nearest existing folder's figure, give or take what others write.
        const PickPlan later
                = PickPreflight::check(files, selection.mid(4), temp->filePath("des/x/y"));
        QVERIFY(qAbs(later.bytesFree - plan.bytesFree) < 4096);
        QVERIFY(!later.lacksSpace() && !later.needsConsent());
    }

    void readMemory_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: a FIFO
        QTest::addColumn<QString>("expected"); // the destination, then "|1:" or "|0:" per type
        const auto row = [](const char *name, const QByteArray &content, const QString &expected) {
            QTest::newRow(name) << content << expected;
        };
        row("LF", "/dest\n1:jpg\n1:png\n0:txt\n", "/dest|1:jpg|1:png|0:txt");
        row("one CR taken off", "/dest\r\r\n1:a\r\r\n", "/dest\r|1:a\r");
        row("last line unended", "\n0:txt", "|0:txt");
        row("bare prefix is the empty type", "\n1:\n0:\n", "|1:|0:");
        row("nothing trimmed", " /dest \n 1:jpg\n1: jpg\n0:a b:c \n", " /dest |1: jpg|0:a b:c ");
        row("other lines ignored", "d\n\n1\n2:x\n10:y\n:1\n1:ok\n", "d|1:ok");
        row("first line never a type", "1:jpg\n0:png\n", "1:jpg|0:png");
        row("duplicates kept", "\n1:a\n1:a\n0:a\n", "|1:a|1:a|0:a");
        row("lone CR ends no line", "/d\r1:a\r", "/d\r1:a");
        row("empty file", "", "-");
        row("FIFO", QByteArray(), "-");
        row("larger than the limit", QByteArray(SmallFile::maxSize + 1, 'x'), "-");
        row("NUL bytes kept", QByteArray("/d\0x\n1:a\0b\n", 11),
            QString::fromLatin1("/d\0x|1:a\0b", 10));
        row("invalid UTF-8 replaced", "/d\xff\n1:\xc3\n", "/d\ufffd|1:\ufffd");
        QStringEncoder local(QStringConverter::System);
        row("local encoding", local(QStringLiteral("/d\u00e9st\n1:\u00e9t\u00e9\n")),
            "/d\u00e9st|1:\u00e9t\u00e9");
    }
    void readMemory()
    {
        QFETCH(QByteArray, content);
        content.isNull() ? temp->make({".trovella|"}) : writeFile(".trovella", content);
        if (content.isNull() || content.size() > SmallFile::maxSize)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("Left .*/.trovella (unread|alone)"));
        const TypeMemory::Content memory = TypeMemory::read(temp->path());
        QString found = memory.found ? memory.destinationLine : "-";
        for (const QString &type : memory.checked)
            found += "|1:" + type;
        for (const QString &type : memory.unchecked)
            found += "|0:" + type;
        QTEST(found, "expected");
    }

    void writeMemory_data()
    {
        addRows({"row|destination|checked|unchecked|expected",
                 "checked first, sorted|/dest|png,jpg|txt,|/dest\n1:jpg\n1:png\n0:\n0:txt\n",
                 "no type|/dest|||/dest\n", "no destination|||gz|\n0:gz\n",
                 "nothing escaped|a:b| x,1:y||a:b\n1: x\n1:1:y\n"});
    }
    void writeMemory()
    {
        QFETCH(QString, destination);
        QFETCH(QString, checked);
        QFETCH(QString, unchecked);
        const auto set = [](const QString &types) {
            const QStringList list = types.split(',');
            return types.isEmpty() ? QSet<QString>() : QSet<QString>(list.cbegin(), list.cend());
        };
        temp->make({".trovella=old\nlonger than the new one\n1:a\n1:b\n"});
        QVERIFY(TypeMemory::write(temp->path(), destination, set(checked), set(unchecked)));
        QTEST(QString(readFile(".trovella")), "expected");
        QCOMPARE(temp->list(), {".trovella " + QString::number(readFile(".trovella").size())});
    }

    // A failed write keeps the old file whole.
    void failedWriteKeepsOld_data()
    {
        addRows({"row|file", ".trovella, read-only|.trovella", ".trovella, full|.trovella",
                 "FileTypeGroup, read-only|FileTypeGroup", "FileTypeGroup, full|FileTypeGroup"});
    }
    void failedWriteKeepsOld()
    {
        QFETCH(QString, file);
        const bool readOnly = QByteArray(QTest::currentDataTag()).endsWith("read-only");
        const Mount tmpfs(Mount::Tmpfs, temp->filePath("mnt"), "size=1m");
        if (!tmpfs.mounted())
            QSKIP(qPrintable(tmpfs.reason));
        QVERIFY(QDir::setCurrent(temp->filePath("mnt")));
        writeFile(file, "Pictures=jpg;png\r\n");
        if (readOnly) {
            QVERIFY(tmpfs.remount("ro"));
        } else {
            QFile filler("filler");
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(4096, 'x')) == 4096) { }
        }
        QSet<QString> many;
        FileTypeGroupStore store;
        for (int i = 0; i < 2000; ++i)
            many << QString("type%1").arg(i), store.setTypes(QString("Group%1").arg(i), "x");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("/mnt/" + file));
        QString error;
        QVERIFY(file == ".trovella"
                        ? !TypeMemory::write(temp->filePath("mnt"), "/elsewhere", many, {})
                        : !store.save(&error) && !error.isEmpty());
        QCOMPARE(readFile(file), "Pictures=jpg;png\r\n");
        QCOMPARE(listTree(".").filter(file), {file + " 18"});
    }

    void groupsReadAndWrite_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: the groups are typed in, over an older file
        QTest::addColumn<QString>("groups");
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char *name, const QByteArray &file, const QString &groups,
                            const QByteArray &written) {
            QTest::newRow(name) << file << groups << written;
        };
        row("sorted by name", "b=x\r\nA=y\r\na=z\r\n", "A=y|a=z|b=x", "A=y\r\na=z\r\nb=x\r\n");
        row("LF read like CR LF", "b=x\nA=y\na=z", "A=y|a=z|b=x", "A=y\r\na=z\r\nb=x\r\n");
        row("empty line stops", "a=1\r\nb=2\r\n\r\nc=3\r\n", "a=1|b=2", "a=1\r\nb=2\r\n");
        row("empty first line", "\r\na=1\r\n", "", "");
        row("later fields ignored", "a=b=c\r\n", "a=b", "a=b\r\n");
        row("later line wins", "x=1\r\nx=2\r\n", "x=2", "x=2\r\n");
        row("spaces kept", "Pictures = jpg\r\n", "Pictures = jpg", "Pictures = jpg\r\n");
        row("empty name and list", "=jpg\r\nP=\r\n", "=jpg|P=", "=jpg\r\nP=\r\n");
        row("line without = skipped", "a=jpg\r\npng\r\nb=gif\r\n", "a=jpg|b=gif",
            "a=jpg\r\nb=gif\r\n");
        const QString accented = QStringLiteral("Bilder=j\u00e9pg;\u00fc");
        QStringEncoder local(QStringConverter::System);
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        row("local 8-bit", local(accented + "\r\n"), accented, local(accented + "\r\n"));
        row("UTF-16 with BOM", utf16(accented + "\r\nZip=zip\r\n"), accented + "|Zip=zip",
            local(accented + "\r\nZip=zip\r\n"));
        row("empty store", QByteArray(), "", "");
        row("typed Zip before audio", QByteArray(), "Zip=zip|audio=mp3",
            "Zip=zip\r\naudio=mp3\r\n");
        row("typed LF", QByteArray(), "P=jpg\npng", "P=jpg;png\r\n");
        row("typed CR LF and CR", QByteArray(), "P=jpg\r\npng\rgif", "P=jpg;png;gif\r\n");
        row("typed outer breaks dropped", QByteArray(), "P=\n\r\njpg\npng\n\n", "P=jpg;png\r\n");
        row("typed inner empty line kept", QByteArray(), "P=jpg\n\npng", "P=jpg;;png\r\n");
    }
    void groupsReadAndWrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, groups);
        writeFile(FileTypeGroupStore::fileName(),
                  file.isNull() ? "old=content\r\nlonger than anything written\r\n" : file);
        QMap<QString, QString> expected; // as typed
        for (const QString &group : groups.split('|', Qt::SkipEmptyParts))
            expected[group.section('=', 0, 0)] = group.section('=', 1);
        FileTypeGroupStore store;
        store.setTypes("stale", "old");
        store.load();
        if (file.isNull()) {
            store.remove("old");
            for (auto it = expected.cbegin(); it != expected.cend(); ++it)
                store.setTypes(it.key(), it.value());
        }
        QVERIFY(store.save());
        QTEST(readFile(FileTypeGroupStore::fileName()), "written");
        QCOMPARE(store.groups(), expected);
    }

    void groupsFetchedOnlyWhenMissing()
    {
        HttpServer site;
        const QByteArray path = "/product/Trovella/Download/FileTypeGroup";
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage += char((i * 131 + 7) % 256);
        // A failed download, a network's login page or garbage leave no file: the next start
        // asks again.
        site.replies[path] = HttpServer::reply("404 Not Found", "missing");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(" failed: "));
        FileTypeGroupStore::fetchIfMissing(site.url(path));
        for (const QByteArray &body : {QByteArray("<html><a href=\"x?a=b\">Log in</a></html>\r\n"),
                                       QByteArray("a=b\r\n<p>\r\n"), garbage}) {
            site.replies[path] = HttpServer::reply("200 OK", body);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(" failed: the answer is not "));
            FileTypeGroupStore::fetchIfMissing(site.url(path));
        }
        QCOMPARE(listTree("."), QStringList());
        site.replies[path] = HttpServer::reply("200 OK", "Pictures=jpg;png\r\nAudio=mp3\r\n");
        FileTypeGroupStore::fetchIfMissing(site.url(path));
        FileTypeGroupStore::fetchIfMissing(site.url(path));
        QCOMPARE(site.requested.size(), 5);
        FileTypeGroupStore store;
        store.load();
        QCOMPARE(store.groups(),
                 (QMap<QString, QString> {{"Audio", "mp3"}, {"Pictures", "jpg;png"}}));
    }

    void download_data()
    {
        addRows({"row|path|expected", // "!": on a closed port; an empty file: none afterwards
                 "404|/missing.txt|", "time-out|/stall.txt|", "refused|/file.txt!|",
                 "body cut short|/short.txt|", "success|/file.txt|the body\r\nof the file\n",
                 "redirect keeps the first name|/moved.txt|where it went"});
    }
    void download()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        HttpServer server;
        server.replies["/file.txt"] = HttpServer::reply("200 OK", "the body\r\nof the file\n");
        server.replies["/missing.txt"] = HttpServer::reply("404 Not Found", "no such page");
        server.replies["/moved.txt"]
                = "HTTP/1.1 302 Found\r\nLocation: /final.bin\r\nContent-Length: 0\r\n\r\n";
        server.replies["/final.bin"] = HttpServer::reply("200 OK", "where it went");
        server.replies["/short.txt"] = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly ten b";
        server.replies["/stall.txt"] = {}; // accepted, never answered
        const bool refused = path.endsWith('!');
        const QUrl url = server.url(path.remove('!'));
        const QString name = path.mid(1);
        if (refused)
            server.close();
        if (expected.isEmpty())
            QTest::ignoreMessage(
                    QtWarningMsg,
                    QRegularExpression(QRegularExpression::escape(url.toString()) + " failed: .+"));
        {
            Mv::Downloader downloader(true);
            downloader.setTimeout(300);
            downloader.doDownload(url);
        }
        // No temporary file left behind either.
        QCOMPARE(listTree("."),
                 expected.isEmpty()
                         ? QStringList()
                         : QStringList {name + ' ' + QString::number(expected.toUtf8().size())});
        QCOMPARE(readFile(name), expected.toUtf8());
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

    void destination_data()
    {
        addRows({"row|source|destination|expected", // source, chosen folder, the pick's folder
                 "named after the source|/home/u/Photos|/mnt/Backup|/mnt/Backup/Photos",
                 "same name|/home/u/Photos|/mnt/Archive/Photos|/mnt/Archive/Photos",
                 "names differ in case|/home/u/photos|/mnt/Photos|/mnt/Photos/photos",
                 "source is the root|/|/mnt/Backup|/mnt/Backup/",
                 "source ends in a separator|/home/u/Photos/|/mnt/Backup|/mnt/Backup/",
                 "no separator at all|Photos|Backup|Backup/Photos",
                 "backslash in a name|/u/my\\Photos|/mnt/back\\up|/mnt/back\\up/my\\Photos",
                 "backslash in the same name|/a/x\\y|/b/x\\y|/b/x\\y"});
    }
    void destination()
    {
        QFETCH(QString, source);
        QFETCH(QString, destination);
        QTEST(pickDestination(source, destination), "expected");
    }

    void storableNames()
    {
        // Storable before the slash, not after it.
        const QStringList sides = QString("photo.jpg,Makefile,my file.tar.gz,Ä große Datei.txt,"
                                          ".config,a\\b,COM0,COM10.txt,CONSOLE.txt,x.con/,a:b.txt,"
                                          "x<y,x>y,x\"y,x|y,x?y,x*y,a\tb,a\nb,notes.,notes ,CON,"
                                          "con.txt,Nul.tar.gz,aux,PRN.log,COM1,com9.dat,lpt3.txt")
                                          .split('/');
        for (int side = 0; side < 2; ++side)
            for (const QString &name : sides.at(side).split(','))
                QVERIFY2(PickPreflight::isStorableName(name) == (side == 0), qPrintable(name));
    }

    void caseCollisions_data()
    {
        // Folders that differ by case are one folder there: their files meet only by name.
        addRows({"row|paths|colliding", "none|a.txt b.txt d/a.txt|",
                 "file names|Ab.txt x.txt ab.txt|2", "same name twice is one file|d/a.txt d/a.txt|",
                 "folders|Photos/a.jpg photos/b.jpg Photos/c.jpg|",
                 "one file, two folders|Dir/a.txt dir/a.txt|1",
                 "folder against file|readme README/x.txt|1", "different folders|a/X.txt b/x.txt|",
                 "deep|a/b/C/d.txt a/b/c/D.txt a/B/c/f.txt|1"});
    }
    void caseCollisions()
    {
        QFETCH(QString, paths);
        QString found;
        for (qsizetype index : PickPreflight::caseCollisions(paths.split(' ')))
            found += QString::number(index);
        QTEST(found, "colliding");
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

    void pickMessage_data()
    {
        // Facts, one after another: "copied N" (of a byte each), "unreached N", "stopped",
        // "leftovers FILES BYTES", "lost" (the connection to the destination).
        const QString lost = "The connection to the destination was lost: whether the last "
                             "files arrived is not known. Pick again to settle them.";
        // clang-format off
        addRows({"row|facts|message",
            "leftovers after a clean pick|copied 2,leftovers 73 12582912|Finished. Copied 2 files (2 bytes). Removed 73 leftover files of an interrupted pick, 12.6 MB.",
            "a leftover, stopped|copied 1,unreached 2,stopped,leftovers 1 1|Stopped. Copied 1 file (1 byte). 2 were not reached. Removed 1 leftover file of an interrupted pick, 1 byte.",
            "connection lost|copied 1203,lost|Copied 1,203 files (1.2 kB). " + lost,
            "connection lost before a copy|lost|No file was copied. " + lost});
        // clang-format on
    }

    // The facts the copier hands over reach the closing message, and spoil "Finished." only
    // where files may be missing.
    void pickMessage()
    {
        QFETCH(QString, facts);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        PickReport report;
        for (const QString &fact : facts.split(',')) {
            const QStringList words = fact.split(' ');
            const int n = words.value(1).toInt();
            if (words[0] == "copied")
                for (int i = 0; i < n; ++i)
                    report.add({PickItem::Copied, QString("/s/%1.txt").arg(i), "/d", {}, 1});
            else if (words[0] == "unreached")
                for (int i = 0; i < n; ++i)
                    report.add(PickReport::NotReached, QString("/s/u%1.txt").arg(i), "/d");
            else if (words[0] == "stopped")
                report.setStopped();
            else if (words[0] == "leftovers")
                report.setLeftoversRemoved(n, words[2].toLongLong());
            else if (words[0] == "lost")
                report.setConnectionLost();
        }
        QTEST(report.message(), "message");
    }

    void builtInBannerLinksNowhere()
    {
        const QUrl url = Site::advertisementPage();
        if (url.scheme() != "qrc")
            QSKIP("built against an external site");
        const QByteArray bytes = readFile(':' + url.path());
        QVERIFY(bytes.contains("<h1>Trovella</h1>") && !bytes.contains("href"));
    }

    void launchBrowser_data()
    {
        // "%", "#", "?" and a blank must all reach the browser intact. No command: the user's own.
        addRows({"row|command|launch", "none||,{url}",
                 "quoted with %1|\"/a b/browser\" %1|/a b/browser,{url}",
                 "%1 twice|\"/a b/browser\" --first %1 --second %1|/a "
                 "b/browser,--first,%1,--second,"
                 "{url}",
                 "no %1|/browser --flag|/browser,--flag,{url}"});
    }
    void launchBrowser()
    {
        QFETCH(QString, command);
        QFETCH(QString, launch);
        const BrowserLaunch made = browserLaunch(command, QUrl::fromLocalFile("/tmp/a b/50%#?"));
        QCOMPARE((QStringList {made.program} + made.arguments).join(','),
                 launch.replace("{url}", "file:///tmp/a b/50%25%23%3F"));
    }
};

QTEST_GUILESS_MAIN(tst_Core)
#include "tst_core.moc"
