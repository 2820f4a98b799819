#include "companion/DirWalker.h"
#include "core/FileCopier.h"
#include "core/Pick.h"
#include "core/PickPreflight.h"
#include "core/PickReport.h"
#include "core/PickRules.h"
#include "support/Lists.h"
#include "support/TestTree.h"

#include <QBuffer>
#include <QLocale>
#include <QRegularExpression>
#include <sys/stat.h>

// A pick from the files chosen to its account: the check of the destination, the paths,
// and what the account says.
class tst_Pick : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestTree> temp;

private slots:
    void init() { QVERIFY(QDir::setCurrent((temp = std::make_unique<TestTree>())->path())); }
    void cleanup() { temp.reset(); }

    void pick_data()
    {
        // clang-format off
        addRows({"row~setup~layout~typeList~question~status~files~details",
            "links~~a.txt sub/up>.. sub/self>self out>../outside ../outside/secret.txt gone.txt>nowhere.txt link.txt>a.txt~txt,~~Copied 2 files (2 bytes). 2 could not be copied.~src/a.txt 1\nsrc/link.txt 1~Could not be copied,the file is gone since the scan,src/gone.txt,des/src/gone.txt\nCould not be copied,the link leads in a circle,src/sub/self,des/src/sub/self",
            "gone, pipe~gone, pipe~a.txt b.txt c.txt~txt~~Copied 1 file (1 byte). 2 could not be copied.~src/a.txt 1~Could not be copied,not a regular file,src/c.txt,des/src/c.txt\nCould not be copied,the file is gone since the scan,src/b.txt,des/src/b.txt",
            "go on~size=1m~a.txt b.txt c.txt d/big.txt#2097152~txt~2\\.1 MB are needed and 1\\.0 MB are free\\.\nPick anyway\\?~Copied 3 files (3 bytes). 1 could not be copied.~src/a.txt 1\nsrc/b.txt 1\nsrc/c.txt 1~Could not be copied,the disk is full,src/d/big.txt,des/src/d/big.txt",
            "declined~size=1m~a.txt b.txt c.txt d/big.txt#2097152~txt~2\\.1 MB are needed and 1\\.0 MB are free\\.\nPick anyway\\?~Nothing was copied.~~",
            "read-only~ro,size=1m~a.txt b.txt c.txt~txt~~No file was copied. 3 could not be copied.~~(Could not be copied,the disk is read-only,src/.\\.txt,des/src/.\\.txt\n?){3}",
            "FAT~fat~d/a:b.txt z/Q.txt z/q.txt Dir/x.txt dir/y.txt~txt~The destination cannot store these names; they will not be copied:\n(    (d/a:b|z/[qQ])\\.txt\n){2}Pick anyway\\?~Copied 3 files (3 bytes). 2 could not be copied.~src/[dD]ir/x.txt 1\nsrc/[dD]ir/y.txt 1\nsrc/z/[qQ].txt 1~(Could not be copied,the disk cannot store this name,src/(d/a:b|z/[qQ]).txt,des/src/(d/a:b|z/[qQ]).txt\n?){2}",
            "NTFS~ntfs~d/a:b.txt z/Q.txt z/q.txt Dir/x.txt dir/y.txt~txt~~Finished. Copied 5 files (5 bytes).~src/Dir/x.txt 1\nsrc/d/a:b.txt 1\nsrc/dir/y.txt 1\nsrc/z/Q.txt 1\nsrc/z/q.txt 1~",
            "stopped in the check~stop at 0~a.txt b.txt~txt~~Nothing was copied.~~",
            "stopped after one~stop at 1~a.txt b.txt c.txt~txt~~Stopped. Copied 1 file (1 byte). 2 were not reached. 1 was left out by the scan.~src/a.txt 1~Left out by the scan,the folder could not be read,src/locked,\nNot reached,,src/b.txt,des/src/b.txt\nNot reached,,src/c.txt,des/src/c.txt"}, '~');
        // clang-format on
    }

    // Every selected file comes out with one outcome: the tree, the question, the closing
    // message and the saved account tell the same.
    void pick()
    {
        QFETCH(QString, setup);
        QFETCH(QString, layout);
        QFETCH(QString, status);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString src = temp->filePath("src"), des = temp->filePath("des");
        // Files without a size hold one byte.
        for (const QString &entry : layout.split(' '))
            makeTree(src, {entry.contains(QRegularExpression("[>#]")) ? entry : entry + "=x"});
        if ((setup.contains("size=") && !temp->mount(Mount::Tmpfs, des, setup))
            || (setup == "fat" && !temp->mount(Mount::Fat, des, temp->filePath("disk.img")))
            || (setup == "ntfs" && !temp->mount(Mount::Ntfs, des, temp->filePath("disk.img"))))
            QSKIP(qPrintable(temp->skipReason));
        FileList listed;
        Mv::DirWalker(src).run(listed);
        if (setup == "gone, pipe")
            QVERIFY(QFile::remove(src + "/b.txt") && QFile::remove(src + "/c.txt")
                    && ::mkfifo(QFile::encodeName(src + "/c.txt").constData(), 0644) == 0);
        QFETCH(QString, typeList);
        const QStringList types = typeList.split(',');
        QList<qsizetype> selection
                = pickSelection(listed, QSet<QString>(types.cbegin(), types.cend()));
        std::sort(selection.begin(), selection.end(),
                  [&](qsizetype a, qsizetype b) { return listed.path(a) < listed.path(b); });
        Pick::Choice choice {src, des, des + "/src", listed, selection, {}};
        if (setup.startsWith("stop"))
            choice.leftOut = {{{src + "/locked"}, "the folder could not be read"}};
        QString asked;
        qsizetype handedOver = 0,
                  stopAt = setup.startsWith("stop") ? setup.back().digitValue() : -1;
        Pick::Hooks hooks;
        hooks.consent = [&](const QString &question) {
            asked = question;
            return status != "Nothing was copied.";
        };
        hooks.stopRequested = [&] { return handedOver == stopAt; };
        hooks.keepResponsive = [](qint64, qint64) {};
        hooks.copying = [](qsizetype) {};
        hooks.handedOver = [&](const QString &) { ++handedOver; };
        const PickReport report = Pick::run(choice, hooks);

        QFETCH(QString, question);
        matches(asked, question);
        QCOMPARE(report.message(), status);
        QFETCH(QString, files);
        matches(tree(des), files);
        QBuffer csv;
        QVERIFY(csv.open(QIODevice::WriteOnly) && report.writeCsv(&csv));
        QStringList lines = QString(csv.data()).remove(temp->path() + '/').split('\n').mid(1);
        lines.removeAll("");
        lines.sort();
        QFETCH(QString, details);
        matches(lines.join('\n'), details);
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
};

QTEST_GUILESS_MAIN(tst_Pick)
#include "tst_pick.moc"
