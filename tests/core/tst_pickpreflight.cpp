#include "TestSupport.h"
#include "core/PickPreflight.h"

#include <QStorageInfo>

namespace {
QList<QFileInfo> writeSources(const QString &root, const QMap<QString, qint64> &files)
{
    QList<QFileInfo> selection;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        writeFile(root + '/' + it.key(), QByteArray(it.value(), 's'));
        selection.append(QFileInfo(root + '/' + it.key()));
    }
    return selection;
}
} // namespace

class tst_PickPreflight : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void caseCollisions_data();
    void caseCollisions();
    void existingAndSpace();
    void missingDestination();
};

void tst_PickPreflight::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("storable");

    for (const char *name : {"photo.jpg", "Makefile", "my file.tar.gz", "Ä große Datei.txt",
                             ".config", "a\\b", "COM0", "COM10.txt", "CONSOLE.txt", "x.con"})
        QTest::newRow(name) << QString::fromUtf8(name) << true;
    for (const char *name :
         {"a:b.txt", "x<y", "x>y", "x\"y", "x|y", "x?y", "x*y", "a\tb", "a\nb", "notes.", "notes ",
          "CON", "con.txt", "Nul.tar.gz", "aux", "PRN.log", "COM1", "com9.dat", "lpt3.txt"})
        QTest::newRow(name) << QString::fromUtf8(name) << false;
}

void tst_PickPreflight::names()
{
    QFETCH(QString, name);
    QFETCH(bool, storable);
    QCOMPARE(PickPreflight::isStorableName(name), storable);
}

void tst_PickPreflight::caseCollisions_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QList<qsizetype>>("colliding");

    QTest::newRow("none") << QStringList {"a.txt", "b.txt", "d/a.txt"} << QList<qsizetype> {};
    QTest::newRow("file names") << QStringList {"Ab.txt", "x.txt", "ab.txt"}
                                << QList<qsizetype> {2};
    QTest::newRow("same name twice is one file")
            << QStringList {"d/a.txt", "d/a.txt"} << QList<qsizetype> {};
    // Folders that differ by case are one folder there: their files meet only by name.
    QTest::newRow("folders") << QStringList {"Photos/a.jpg", "photos/b.jpg", "Photos/c.jpg"}
                             << QList<qsizetype> {};
    QTest::newRow("one file through two folders")
            << QStringList {"Dir/a.txt", "dir/a.txt"} << QList<qsizetype> {1};
    QTest::newRow("folder against file")
            << QStringList {"readme", "README/x.txt"} << QList<qsizetype> {1};
    QTest::newRow("different folders") << QStringList {"a/X.txt", "b/x.txt"} << QList<qsizetype> {};
    QTest::newRow("deep") << QStringList {"a/b/C/d.txt", "a/b/c/D.txt", "a/B/c/f.txt"}
                          << QList<qsizetype> {1};
}

void tst_PickPreflight::caseCollisions()
{
    QFETCH(QStringList, paths);
    QFETCH(QList<qsizetype>, colliding);
    const QSet<qsizetype> expected(colliding.cbegin(), colliding.cend());
    QCOMPARE(PickPreflight::caseCollisions(paths), expected);
}

void tst_PickPreflight::existingAndSpace()
{
    QTemporaryDir temp;
    const QString des = temp.filePath("des");
    Mount mount(des, QStringLiteral("size=1m"));
    if (!mount.mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");
    const QList<QFileInfo> selection = writeSources(
            temp.filePath("src"),
            {{"a.txt", 300000}, {"sub/b.txt", 5000}, {"sub/c:d.txt", 400000}, {"e.txt", 700000}});
    writeFile(des + "/a.txt", "already there");
    writeFile(des + "/sub/B.txt", "not the same name here");

    const PickPlan plan = PickPreflight::check(temp.filePath("src"), des, selection);
    QCOMPARE(plan.fileSystemType, QByteArray("tmpfs"));
    QCOMPARE(plan.existing, 1);
    // Whole 4 KiB blocks of tmpfs: 5000 + 400000 + 700000 bytes round up to 2 + 98 + 171.
    QCOMPARE(plan.bytesNeeded, qint64(271 * 4096));
    QCOMPARE(plan.bytesFree, QStorageInfo(des).bytesAvailable());
    QVERIFY(plan.lacksSpace());
    // tmpfs stores any name.
    QVERIFY(plan.unstorable.isEmpty());
    QVERIFY(plan.needsConsent());
}

void tst_PickPreflight::missingDestination()
{
    QTemporaryDir temp;
    const QList<QFileInfo> selection = writeSources(temp.filePath("src"), {{"a.txt", 10}});
    const QString des = temp.filePath("not/made/yet");
    const PickPlan plan = PickPreflight::check(temp.filePath("src"), des, selection);
    // Other programs write to this file system meanwhile: the nearest existing folder's
    // figure, give or take what they wrote.
    QVERIFY(qAbs(plan.bytesFree - QStorageInfo(temp.path()).bytesAvailable()) < (64 << 20));
    QCOMPARE(plan.existing, 0);
    QVERIFY(plan.bytesNeeded >= 10);
    QVERIFY(!plan.needsConsent());
}

QTEST_GUILESS_MAIN(tst_PickPreflight)
#include "tst_pickpreflight.moc"
