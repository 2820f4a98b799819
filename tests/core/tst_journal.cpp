#include "core/Journal.h"
#include "core/Pick.h"
#include "support/Lists.h"
#include "support/TestTree.h"

#include <QBuffer>
#include <QRegularExpression>

#include <csignal>
#include <sys/wait.h>

// The record of each pick and what stands on it: the journal, verified copies, the checksum
// list and the undo, on real trees and a share.
class tst_Journal : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestTree> temp;

    // Picks every file of src into des/src; each runs after a file is handed over.
    static PickReport pick(const QString &src, const QString &des, bool verify,
                           const std::function<void()> &each = {})
    {
        const FileList files = fileListOf(src, entries(src, QDir::Files));
        const QString target = des + '/' + QDir(src).dirName();
        Pick::Choice choice {src, des, target, files, allOf(files), {}, verify};
        Pick::Hooks hooks {[](const QString &) { return true; }, [] { return false; },
                           [](qint64, qint64) {}, [](qsizetype) {},
                           [&each](const QString &) { each ? each() : void(); }};
        return Pick::run(choice, hooks);
    }

private slots:
    void init()
    {
        temp = std::make_unique<TestTree>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(temp->filePath("data")));
    }
    void cleanup() { temp.reset(); }

    void verifies_data() { addRows({"row|disk", "local|", "share corrupting b.jpg|sshfs"}); }

    // Only a copy that reads back from the disk as the source was gets its name; the details
    // and the list of checksums hold every copy, and the list passes xxh128sum -c, and fails it
    // once a copy is changed.
    void verifies()
    {
        QFETCH(QString, disk);
        const QString src = temp->filePath("src"), des = temp->filePath("des");
        temp->make({"src/a.jpg=alpha", "src/sub/c\\d.jpg=charlie", "src/e\nf.jpg=echo"});
        // Lists longer than what is written at once, on the local disk.
        const int many = disk.isEmpty() ? 1100 : 0;
        for (int i = 0; i < many; ++i)
            writeFile(QString("%1/many/%2.jpg").arg(src).arg(i, 250, 10, QChar('x')), "x");
        // Whole pages: a share's client keeps them in the cache, where a read-back would meet
        // them unless they are dropped.
        writeFile(src + "/b.jpg", "corrupt-me" + QByteArray(64 * 1024, 'b'));
        std::optional<Mount> share;
        if (!disk.isEmpty()
            && !share.emplace(Mount::Sshfs, des, temp->filePath("shared"), "--corrupt=corrupt-me")
                        .mounted())
            QSKIP(qPrintable(share->reason));
        const PickReport report = pick(src, des, true);
        const int corrupted = share ? 1 : 0;
        QCOMPARE(report.count(PickReport::Copied), 4 + many - corrupted);
        QCOMPARE(report.rows().size(), corrupted);
        if (share)
            QCOMPARE(report.rows().value(0).reason, "the copy read back different");
        QCOMPARE(QFileInfo::exists(des + "/src/b.jpg"), !share);
        QBuffer csv;
        QVERIFY(csv.open(QIODevice::WriteOnly) && Journal::writeCsv(report.journal(), &csv));
        QCOMPARE(csv.data().count("\nCopied,"), 4 + many - corrupted);

        QFile list(des + "/src/sums.xxh128");
        int skipped = 0;
        QVERIFY(list.open(QIODevice::WriteOnly));
        QCOMPARE(Journal::writeChecksums(report.journal(), &list, &skipped), 3 + many - corrupted);
        list.close();
        QCOMPARE(skipped, 1); // xxh128sum cannot read a name with a line break
        QCOMPARE(readFile(list.fileName()).count('\n'), 3 + many - corrupted);
        QProcess check;
        check.setWorkingDirectory(des + "/src");
        check.start("xxh128sum", {"-c", "sums.xxh128"});
        QVERIFY(check.waitForFinished() && check.exitCode() == 0);
        writeFile(des + "/src/sub/c\\d.jpg", "charlix");
        check.start("xxh128sum", {"-c", "sums.xxh128"});
        QVERIFY(check.waitForFinished() && check.exitCode() == 1);
        QVERIFY(check.readAll().contains("sub/c\\d.jpg: FAILED"));
    }

    void undo_data()
    {
        addRows({"row|verify|left|tree",
                 "copied|0|b.jpg changed since the pick,e.jpg gone|src/,src/b.jpg 6,src/d.jpg 5",
                 "verified|1|b.jpg changed since the pick,c.jpg changed since the pick,e.jpg "
                 "gone|src/,src/b.jpg 6,src/c.jpg 7,src/d.jpg 5"});
    }

    // Undo removes what the pick made as it made it, and leaves a changed file, one that was
    // there before and the folders still holding them; a verified pick tells a changed content.
    void undo()
    {
        QFETCH(QString, verify);
        QFETCH(QString, left);
        QFETCH(QString, tree);
        const QString src = temp->filePath("src"), des = temp->filePath("des");
        temp->make({"src/a.jpg=alpha", "src/b.jpg=bravo", "src/c.jpg=charlie", "src/d.jpg=delta",
                    "src/e.jpg=echo", "src/sub/deep/f.jpg=foxtrot", "des/src/d.jpg=DELTA"});
        const auto sameTime = [&src, &des](const QString &name) {
            QCOMPARE(QProcess::execute("touch", {"-r", src + '/' + name, des + "/src/" + name}), 0);
        };
        sameTime("d.jpg");
        const PickReport report = pick(src, des, verify == "1");
        // Of the same size and time, the file there before is told by content when verifying.
        QCOMPARE(report.count(verify == "1" ? PickReport::Different : PickReport::Same), 1);
        writeFile(des + "/src/b.jpg", "bravo!");
        writeFile(des + "/src/c.jpg", "CHARLIE");
        sameTime("b.jpg");
        sameTime("c.jpg");
        QVERIFY(QFile::remove(des + "/src/e.jpg"));

        const Journal::Undone undone = Journal::undo(report.journal());
        QStringList reasons;
        for (const auto &[path, reason] : undone.left)
            reasons << QFileInfo(path).fileName() + ' ' + reason;
        QCOMPARE(reasons.join(','), left);
        QCOMPARE(undone.folders, 2); // sub/deep, then sub
        QCOMPARE(temp->list("des"), tree.split(','));
    }

    void interrupted_data()
    {
        addRows({"row|disk|end", "killed||kill", "killed, share|sshfs|kill",
                 "share drops|sshfs|drop"});
    }

    // A pick killed in its middle, or whose share goes away: every name in the destination holds
    // a whole copy, and the journal every file that got its name, with every file before it.
    // The files in flight when the share drops count neither as copied nor as lost. The next
    // pick completes the copy, and first removes what a killed pick left waiting for its names.
    void interrupted()
    {
        QFETCH(QString, disk);
        QFETCH(QString, end);
        const QString src = temp->filePath("src"), des = temp->filePath("des");
        std::optional<Mount> share;
        const auto mount = [&] {
            return disk.isEmpty()
                    || share.emplace(Mount::Sshfs, des, temp->filePath("shared")).mounted();
        };
        if (!mount())
            QSKIP(qPrintable(share->reason));
        for (int i = 0; i < 600; ++i)
            writeFile(QString("%1/d%2/f%3.bin").arg(src).arg(i % 7).arg(i, 3, 10, QChar('0')),
                      QByteArray(64 * 1024 + i, 'a' + i % 26));
        int handed = 0;
        if (end == "drop") {
            const PickReport report = pick(src, des, false, [&] {
                if (++handed == 300)
                    share->drop();
            });
            matches(report.message(),
                    "Copied \\d+ files \\(.*\\)\\. \\d+ could not be copied\\. The connection to "
                    "the destination was lost: whether the last files arrived is not known\\. "
                    "Pick again to settle them\\.");
            for (const PickReport::Row &row : report.rows())
                QCOMPARE(row.reason, "the connection to the share dropped");
            share.reset();
            QVERIFY(mount());
        } else if (const pid_t child = ::fork(); child == 0) {
            pick(src, des, false, [&handed] {
                if (++handed == 400)
                    ::kill(::getpid(), SIGKILL);
            });
            ::_exit(0);
        } else {
            int status = 0;
            QVERIFY(::waitpid(child, &status, 0) == child && WIFSIGNALED(status));
        }
        const QStringList selection = entries(src, QDir::Files);
        QStringList journaled;
        QVERIFY(Journal::forEach(Journal::lastOf(src), [&](const PickItem &item) {
            if (item.outcome == PickItem::Copied)
                journaled << QDir(src).relativeFilePath(item.source);
        }));
        QCOMPARE(journaled, selection.mid(0, journaled.size()));
        QStringList named = entries(des + "/src", QDir::Files);
        const QRegularExpression staged("(^|/)\\.trovella-staging-[0-9a-f]{16}/(?!lease$)");
        const qsizetype leftovers = named.filter(staged).size();
        named.removeIf([](const QString &name) { return name.contains(".trovella-staging-"); });
        QVERIFY(!named.isEmpty() && named.size() < 600);
        for (const QString &name : named) {
            QVERIFY2(end == "drop" || journaled.contains(name), qPrintable(name));
            QCOMPARE(readFile(des + "/src/" + name), readFile(src + '/' + name));
        }
        // The next pick into the destination, from any source, removes what a killed one left.
        const QString removed = QString("Removed %1 leftover files of an interrupted pick");
        temp->make({"music/a.mp3=x"});
        const PickReport music = pick(temp->filePath("music"), des, false);
        QCOMPARE(music.message().contains(removed.arg(leftovers)),
                 end == "kill" && disk == "sshfs");
        QCOMPARE(pick(src, des, false).count(PickReport::Same), named.size());
        // What a dropped pick left stays while the process that owns it lives.
        QStringList copied = tree(des + "/src").split('\n');
        const qsizetype kept = copied.removeIf(
                [](const QString &line) { return line.contains(".trovella-staging-"); });
        QVERIFY(end == "drop" || kept == 0);
        QCOMPARE(copied.join('\n'), tree(src));
    }

    // Old journals go beyond a count or a size, the oldest first; other files stay.
    void keepsTheNewest()
    {
        for (int i = 0; i < 5; ++i)
            writeFile(QString("%1/2026010%2.journal").arg(Journal::folder()).arg(i),
                      QByteArray(100, 'x'));
        writeFile(Journal::folder() + "/notes.txt", "mine");
        Journal::prune(4, 1000);
        QCOMPARE(entries(Journal::folder()).size(), 5);
        QVERIFY(!entries(Journal::folder()).contains("20260100.journal"));
        Journal::prune(100, 250);
        QCOMPARE(entries(Journal::folder()),
                 QStringList({"20260103.journal", "20260104.journal", "notes.txt"}));
    }

    void pickWithoutJournal()
    {
        temp->make({"src/a.jpg=alpha", "data"});
        const PickReport report = pick(temp->filePath("src"), temp->filePath("des"), false);
        QCOMPARE(readFile(temp->filePath("des/src/a.jpg")), "alpha");
        const QRegularExpression account("^Finished\\. Copied 1 file \\(5 bytes\\)\\. The record "
                                         "of this pick could not be written to .*/journals/");
        QVERIFY2(account.match(report.message()).hasMatch(), qPrintable(report.message()));
        QCOMPARE(report.journal(), QString());
    }
};

QTEST_GUILESS_MAIN(tst_Journal)
#include "tst_journal.moc"
