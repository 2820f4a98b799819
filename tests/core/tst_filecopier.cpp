#include "TestSupport.h"
#include "core/FileCopier.h"

#include <QDateTime>
#include <QRegularExpression>

class tst_FileCopier : public QObject
{
    Q_OBJECT

private slots:
    void init() { temp = std::make_unique<TestTree>(); }
    void cleanup() { share.reset(), ntfs.reset(), temp.reset(); }
    void keepsTreeAndOrder_data();
    void keepsTreeAndOrder();
    void neverReplaces_data();
    void neverReplaces();

private:
    // "des" in the temporary tree, on the given disk; empty with skipReason when it cannot be.
    QString destination(const QString &disk);
    std::unique_ptr<TestTree> temp;
    std::unique_ptr<DiskImage> ntfs;
    std::unique_ptr<SftpShare> share;
    QString skipReason;
};

QString tst_FileCopier::destination(const QString &disk)
{
    const QString des = temp->filePath("des");
    if (disk == "ntfs-3g")
        ntfs = std::make_unique<DiskImage>(temp->filePath("ntfs.img"), des, DiskImage::Ntfs);
    if (disk == "sshfs") {
        temp->make({"shared/"});
        share = std::make_unique<SftpShare>(temp->filePath("shared"), des);
    }
    skipReason = ntfs && !ntfs->mounted() ? ntfs->reason
            : share && !share->mounted    ? share->reason
                                          : "";
    return skipReason.isEmpty() ? des : QString();
}

void tst_FileCopier::keepsTreeAndOrder_data()
{
    QTest::addColumn<bool>("temporaryNames");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<int>("threads"); // 0: as many as suit the disk
    QTest::newRow("unnamed files") << false << "" << 1;
    QTest::newRow("unnamed files, 8 threads") << false << "" << 8;
    QTest::newRow("temporary names") << true << "" << 1;
    QTest::newRow("temporary names, 8 threads") << true << "" << 8;
    // Neither offers unnamed files nor a rename that never replaces; a share's temporaries
    // wait in staging folders.
    QTest::newRow("ntfs-3g") << true << "ntfs-3g" << 1;
    QTest::newRow("sshfs") << true << "sshfs" << 0;
}

void tst_FileCopier::keepsTreeAndOrder()
{
    QFETCH(bool, temporaryNames);
    QFETCH(QString, disk);
    QFETCH(int, threads);
    const QString src = temp->filePath("src"), des = destination(disk);
    if (des.isEmpty())
        QSKIP(qPrintable(skipReason));
    if (disk == "sshfs") {
        QCOMPARE(FileCopier::threadsFor(des + "/d0/not yet"), 8);
        temp->make({"des/.5.trovella-staging/.7.trovella=left by a killed pick"});
    }
    QStringList expected;
    if (temporaryNames) {
        // What a killed pick left (the first two), and names like it that are not its own.
        const QStringList left {".1f2e.trovella", ".0.trovella",   ".trovella",
                                ".1F2E.trovella", ".xyz.trovella", ".1f2e.trovella~"};
        for (const QString &name : left)
            temp->make({"des/d0/sub 0/" + name + "=left"});
        for (const QString &name : left.mid(2))
            expected << "d0/sub 0/" + name + " 4";
        QTest::qSleep(20); // older than the pick by more than a tick of the disk's clock
    }
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
    FileCopier copier;
    copier.setUseTemporaryNames(temporaryNames);
    threads ? copier.setThreads(threads) : copier.setDestination(des);
    // Another pick's, newer than this one; sshfs's times are whole seconds and cannot tell.
    if (temporaryNames && disk != "sshfs") {
        temp->make({"des/d0/sub 0/.abc.trovella=new"});
        expected << "d0/sub 0/.abc.trovella 3";
    }
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
        QCOMPARE(results.at(i).outcome, i % 50 == 7 ? FileCopier::Failed : FileCopier::Copied);
        if (i % 50 != 7) {
            QCOMPARE(readFile(results.at(i).target), "file " + QByteArray::number(i));
            QCOMPARE(QFileInfo(results.at(i).target).lastModified(), old);
        }
    }
    expected.removeDuplicates();
    expected.sort();
    QCOMPARE(listTree(des), expected); // no temporary left behind
}

void tst_FileCopier::neverReplaces_data()
{
    QTest::addColumn<bool>("temporaryNames");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<bool>("beforeCopy");
    for (const QString disk : {"", "ntfs-3g", "sshfs"}) {
        for (const char *name : {"unnamed", "temporary"}) {
            for (bool beforeCopy : {true, false})
                if (disk.isEmpty() || *name == 't')
                    QTest::addRow("%s, %s%s", name,
                                  beforeCopy ? "there before" : "appears meanwhile",
                                  qPrintable(disk.isEmpty() ? disk : ", " + disk))
                            << (*name == 't') << disk << beforeCopy;
        }
    }
}

void tst_FileCopier::neverReplaces()
{
    QFETCH(bool, temporaryNames);
    QFETCH(QString, disk);
    QFETCH(bool, beforeCopy);
    const QString des = destination(disk);
    if (des.isEmpty())
        QSKIP(qPrintable(skipReason));
    temp->make({"src/a.jpg=new picture"});
    const QString old = "a.jpg=old picture, longer than the new one";
    if (beforeCopy)
        makeTree(des, {old});
    QTest::failOnWarning(QRegularExpression("."));

    FileCopier copier;
    copier.setUseTemporaryNames(temporaryNames);
    copier.copy(temp->filePath("src/a.jpg"), des + "/a.jpg");
    if (!beforeCopy) {
        QVERIFY(copier.takeResults().isEmpty());
        makeTree(des, {old});
    }
    copier.finish();
    const QList<FileCopier::Result> results = copier.takeResults();
    QCOMPARE(results.size(), 1);
    QCOMPARE(results.first().outcome, FileCopier::ExistsDifferent);
    QCOMPARE(listTree(des), {"a.jpg 36"});
    QCOMPARE(readFile(des + "/a.jpg"), old.mid(6).toUtf8());
}

QTEST_GUILESS_MAIN(tst_FileCopier)
#include "tst_filecopier.moc"
