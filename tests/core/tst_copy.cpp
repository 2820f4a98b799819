#include "companion/DirWalker.h"
#include "core/Disk.h"
#include "core/FileCopier.h"
#include "core/Staging.h"
#include "support/Lists.h"
#include "support/TestTree.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSysInfo>
#include <csignal>
#include <dlfcn.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/wait.h>

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

// The copier on every kind of disk: what it writes, in what order, what it leaves alone, and
// what interrupted picks leave behind.
class tst_Copy : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestTree> temp;

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
    void cleanup() { temp.reset(); }

    void keepsTreeAndOrder_data()
    {
        // ntfs-3g and sshfs offer neither unnamed files nor a rename that never replaces.
        addRows({"row|disk|threads", // no threads: as many as suit the disk
                 "unnamed files, one thread||1", "unnamed files, 8 threads||8",
                 "unnamed files, without root's rights||1", "temporary names, one thread||1",
                 "temporary names, 8 threads||8", "ntfs-3g|ntfs-3g|1", "sshfs|sshfs|"});
    }
    void keepsTreeAndOrder()
    {
        QFETCH(QString, disk);
        QFETCH(QString, threads);
        const bool temporaryNames = !QByteArray(QTest::currentDataTag()).startsWith("unnamed");
        const QString src = temp->filePath("src"), des = temp->destination(disk);
        if (des.isEmpty())
            QSKIP(qPrintable(temp->skipReason));
        // Copies in flight pay on a share, where a folder yet to be made lies too; a local
        // disk's FUSE driver is no share.
        QCOMPARE(Disk::syncsWhole(Disk::typeOf(des)), disk.isEmpty());
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
        // Without them a file is linked by its /proc name, not by its descriptor.
        std::optional<WithoutRootRights> asUser;
        if (QByteArray(QTest::currentDataTag()).contains("without root's rights"))
            asUser.emplace();
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
        for (const QString &line : QString(readFile(temp->mounted->requests)).split('\n')) {
            const QString path = line.section('"', 1, 1);
            if (line.startsWith("fsync "))
                synced << path;
            else if ((line.startsWith("hardlink ") || line.contains("rename "))
                     && !line.section('"', 3, 3).contains("/.trovella-staging-"))
                QVERIFY2(++named && synced.contains(path), qPrintable(line));
        }
        QCOMPARE(named, 294);
    }

    void existing_data()
    {
        // A file stands at the target before the copy (made "apart" ms after the source), or
        // appears meanwhile: made here, on the share's server, or by the server just as the copy
        // gets its name. "longer": other bytes of another size; "other", "same": of its size.
        addRows({"row|disk|when|there|apart|outcome|reason",
                 "unnamed, there before||before|longer|0|different|",
                 "unnamed, appears meanwhile||meanwhile|longer|0|different|",
                 "temporary, there before||before|longer|0|different|",
                 "temporary, appears meanwhile||meanwhile|longer|0|different|",
                 "temporary, there before, ntfs-3g|ntfs-3g|before|longer|0|different|",
                 "temporary, appears meanwhile, ntfs-3g|ntfs-3g|meanwhile|longer|0|different|",
                 "temporary, there before, sshfs|sshfs|before|longer|0|different|",
                 "temporary, appears meanwhile, sshfs|sshfs|meanwhile|longer|0|different|",
                 "temporary, appears on the server, sshfs|sshfs|server|longer|0|different|",
                 "temporary, appears as it gets its name, sshfs|sshfs "
                 "race|named|longer|0|different|",
                 "ext4, other bytes 2.9 s later, source on a whole "
                 "second||before|other|2900|different|",
                 "ext4, a copy||before|same|0|same|",
                 "FAT, other bytes a second later|fat|before|other|1000|different|compared byte "
                 "for byte",
                 "FAT, a copy a second later|fat|before|same|1000|same|compared byte for byte",
                 "FAT, a copy a step later, source on a whole "
                 "second|fat|before|same|2000|different|",
                 "sshfs, other bytes|sshfs|before|other|0|different|compared byte for byte",
                 "sshfs, a copy|sshfs|before|same|0|same|compared byte for byte"});
    }
    // A file there is only called the same as the source where it surely is, as two frames of
    // one burst may not be, and is left alone either way, whenever and by whom it was made.
    void existing()
    {
        QFETCH(QString, disk);
        QFETCH(QString, when);
        QFETCH(QString, there);
        QFETCH(QString, apart);
        QFETCH(QString, outcome);
        const QString des = temp->destination(disk);
        if (des.isEmpty())
            QSKIP(qPrintable(temp->skipReason));
        const QString source = temp->filePath("src/a.jpg"), target = des + "/a.jpg";
        const QByteArray theirs = there == "same" ? "first frame"
                : there == "other"                ? "other frame"
                                                  : "old picture, longer than the new one";
        temp->make({"src/a.jpg=first frame"});
        writeFile(temp->filePath("a.jpg"), theirs); // what the racing client of the share makes
        const bool wholeSecond = QByteArray(QTest::currentDataTag()).contains("whole second");
        const qint64 shot = 1244203200000000000 + (wholeSecond ? 0 : 300000000);
        const auto setTime = [](const QString &path, qint64 time) {
            const timespec times[2] {{time / 1000000000, time % 1000000000},
                                     {time / 1000000000, time % 1000000000}};
            return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
        };
        if (when == "before")
            writeFile(target, theirs);
        QVERIFY(setTime(source, shot)
                && (when != "before" || setTime(target, shot + apart.toLongLong() * 1000000)));
        QTest::failOnWarning(QRegularExpression("."));
        FileCopier copier;
        copier.setUseTemporaryNames(QByteArray(QTest::currentDataTag()).startsWith("temporary"));
        copier.setDestination(des);
        // The copy is written before the other file is made, also on a share.
        copier.setThreads(0);
        copier.copy(source, target);
        if (when == "meanwhile" || when == "server") {
            QVERIFY(copier.takeResults().isEmpty());
            // On the server: by another client of the share, behind the back of this one.
            writeFile(when == "server" ? temp->filePath("shared/a.jpg") : target, theirs);
        }
        copier.finish();
        const QList<FileCopier::Result> results = copier.takeResults();
        QCOMPARE(results.size(), 1);
        QCOMPARE(results.first().outcome, outcome == "same" ? PickItem::Same : PickItem::Different);
        QTEST(results.first().reason, "reason");
        // As the server has it: the client may hold a stale view of what it did not make.
        const QString seen = disk.startsWith("sshfs") ? temp->filePath("shared") : des;
        QCOMPARE(listTree(seen), {"a.jpg " + QString::number(theirs.size())});
        QCOMPARE(readFile(seen + "/a.jpg"), theirs);
    }

    void leftovers_data() { addRows({"row|disk", "local|", "sshfs|sshfs"}); }
    // What killed picks left is removed, by the next pick into the same destination or one of
    // its folders; what is in use, or another machine's pick may still need, stays, and so
    // does everything of the user's, whatever its name.
    void leftovers()
    {
        QFETCH(QString, disk);
        const QString des = temp->destination(disk);
        if (des.isEmpty())
            QSKIP(qPrintable(temp->skipReason));
        makeTree(des,
                 {"Photos/2009/", ".beef.trovella=mine", ".trovella-staging-0123/",
                  ".trovella-staging-0123456789abcdef/0123456789abcdef=mine",
                  ".trovella-staging-fedcba9876543210/lease=my own notes on a lease",
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
};

QTEST_GUILESS_MAIN(tst_Copy)
#include "tst_copy.moc"
