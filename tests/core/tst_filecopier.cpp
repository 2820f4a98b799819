#include "TestSupport.h"
#include "core/FileCopier.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {
QList<FileCopier::Outcome> outcomes(const QList<FileCopier::Result> &results)
{
    QList<FileCopier::Outcome> list;
    for (const FileCopier::Result &result : results)
        list.append(result.outcome);
    return list;
}

} // namespace

// Full or read-only destinations, vanished sources and links: tst_pickwindow, tst_faults.
class tst_FileCopier : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void keepsTreeAndOrder_data();
    void keepsTreeAndOrder();
    void neverReplaces_data();
    void neverReplaces();

private:
    QTemporaryDir temp;
};

void tst_FileCopier::init()
{
    QVERIFY(temp.isValid());
    QDir(temp.path()).removeRecursively();
    QDir().mkpath(temp.path());
}

void tst_FileCopier::keepsTreeAndOrder_data()
{
    QTest::addColumn<bool>("temporaryNames");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<int>("threads");
    QTest::newRow("unnamed files") << false << "" << 1;
    QTest::newRow("unnamed files, 8 threads") << false << "" << 8;
    QTest::newRow("temporary names") << true << "" << 1;
    QTest::newRow("temporary names, 8 threads") << true << "" << 8;
    // ntfs-3g, like sshfs, offers neither unnamed files nor a rename that never replaces.
    QTest::newRow("ntfs-3g") << true << "ntfs" << 1;
    // A share gets as many threads as suit it, and its temporaries wait in staging folders.
    QTest::newRow("sshfs") << true << "sshfs" << 0;
}

void tst_FileCopier::keepsTreeAndOrder()
{
    QFETCH(bool, temporaryNames);
    QFETCH(QString, disk);
    QFETCH(int, threads);
    const QString src = temp.filePath("src");
    const QString des = temp.filePath("des");
    std::unique_ptr<DiskImage> ntfs;
    std::unique_ptr<SftpShare> share;
    if (disk == "ntfs") {
        ntfs = std::make_unique<DiskImage>(temp.filePath("ntfs.img"), des, DiskImage::Ntfs);
        if (!ntfs->mounted())
            QSKIP(qPrintable(ntfs->reason));
    } else if (disk == "sshfs") {
        QDir().mkpath(temp.filePath("shared"));
        share = std::make_unique<SftpShare>(temp.filePath("shared"), des);
        if (!share->mounted)
            QSKIP(qPrintable(share->reason));
        QCOMPARE(FileCopier::threadsFor(des + "/d0/not yet"), 8);
        writeFile(des + "/.5.trovella-staging/.7.trovella", "left by a killed pick");
    }
    // What a killed pick left, and names like it that are not its own.
    const QStringList kept {".trovella", ".1F2E.trovella", ".xyz.trovella", ".1f2e.trovella~"};
    if (temporaryNames) {
        for (const QString &name : kept + QStringList {".1f2e.trovella", ".0.trovella"})
            writeFile(des + "/d0/sub 0/" + name, "left");
        // Older than the pick by more than a tick of the file system's clock.
        QTest::qSleep(20);
    }
    const QDateTime old = QDateTime::fromString("2009-05-01T12:00:00", Qt::ISODate);

    // More files than one batch holds, with missing ones in between.
    QStringList relative;
    QList<FileCopier::Outcome> expected;
    for (int i = 0; i < 300; ++i) {
        const QString name = QString("d%1/sub %2/f%3.txt").arg(i % 3).arg(i % 7).arg(i);
        relative.append(name);
        if (i % 50 == 7) {
            expected.append(FileCopier::Failed);
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QString("f%1.txt .*No such file").arg(i)));
            continue;
        }
        expected.append(FileCopier::Copied);
        writeFile(src + '/' + name, "file " + QByteArray::number(i));
        QFile file(src + '/' + name);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    }

    FileCopier copier;
    copier.setUseTemporaryNames(temporaryNames);
    threads ? copier.setThreads(threads) : copier.setDestination(des);
    // Another pick's, newer than this one; sshfs's times are whole seconds and cannot tell.
    QStringList newer;
    if (temporaryNames && disk != "sshfs") {
        newer << ".abc.trovella";
        writeFile(des + "/d0/sub 0/.abc.trovella", "new");
    }
    QList<FileCopier::Result> results;
    for (const QString &name : relative) {
        copier.copy(src + '/' + name, des + '/' + name);
        results += copier.takeResults();
    }
    QVERIFY2(results.size() < relative.size(), "every result came before its batch ended");
    copier.finish();
    results += copier.takeResults();

    QCOMPARE(outcomes(results), expected);
    QStringList copied;
    for (int i = 0; i < relative.size(); ++i) {
        QCOMPARE(results.at(i).target, des + '/' + relative.at(i));
        if (expected.at(i) != FileCopier::Copied)
            continue;
        copied.append(relative.at(i));
        const QString target = des + '/' + relative.at(i);
        QCOMPARE(readFile(target), "file " + QByteArray::number(i));
        QCOMPARE(QFileInfo(target).lastModified(), old);
    }
    // Folders and files, and nothing else: no temporary left behind.
    QStringList expectedEntries = copied;
    for (const QString &name : temporaryNames ? kept + newer : QStringList())
        expectedEntries << "d0/sub 0/" + name;
    for (const QString &name : copied) {
        expectedEntries.append(name.section('/', 0, 0));
        expectedEntries.append(name.section('/', 0, 1));
    }
    expectedEntries.removeDuplicates();
    expectedEntries.sort();
    QCOMPARE(entries(des), expectedEntries);
}

void tst_FileCopier::neverReplaces_data()
{
    QTest::addColumn<bool>("temporaryNames");
    QTest::addColumn<bool>("beforeCopy");
    QTest::newRow("unnamed, there before") << false << true;
    QTest::newRow("unnamed, appears meanwhile") << false << false;
    QTest::newRow("temporary, there before") << true << true;
    QTest::newRow("temporary, appears meanwhile") << true << false;
}

void tst_FileCopier::neverReplaces()
{
    QFETCH(bool, temporaryNames);
    QFETCH(bool, beforeCopy);
    const QString source = temp.filePath("src/a.jpg");
    const QString target = temp.filePath("des/a.jpg");
    writeFile(source, "new picture");
    const QByteArray old("old picture, longer than the new one");
    if (beforeCopy)
        writeFile(target, old);
    QTest::failOnWarning(QRegularExpression("."));

    FileCopier copier;
    copier.setUseTemporaryNames(temporaryNames);
    copier.copy(source, target);
    if (!beforeCopy) {
        QVERIFY(copier.takeResults().isEmpty());
        writeFile(target, old);
    }
    copier.finish();

    QCOMPARE(outcomes(copier.takeResults()), {FileCopier::ExistsDifferent});
    QCOMPARE(readFile(target), old);
    QCOMPARE(entries(temp.filePath("des")), QStringList {"a.jpg"});
}

QTEST_GUILESS_MAIN(tst_FileCopier)
#include "tst_filecopier.moc"
