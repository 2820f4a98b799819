#include "TestSupport.h"
#include "core/PickPreflight.h"

class tst_PickPreflight : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void caseCollisions_data();
    void caseCollisions();
    void existingAndSpace();
};

void tst_PickPreflight::names_data()
{
    QTest::addColumn<QString>("names");
    QTest::addColumn<bool>("storable");
    QTest::newRow("storable") << "photo.jpg,Makefile,my file.tar.gz,Ä große Datei.txt,.config,a\\b,"
                                 "COM0,COM10.txt,CONSOLE.txt,x.con"
                              << true;
    QTest::newRow("not storable")
            << ",a:b.txt,x<y,x>y,x\"y,x|y,x?y,x*y,a\tb,a\nb,notes.,notes ,CON,"
               "con.txt,Nul.tar.gz,aux,PRN.log,COM1,com9.dat,lpt3.txt"
            << false;
}

void tst_PickPreflight::names()
{
    QFETCH(QString, names);
    QFETCH(bool, storable);
    for (const QString &name : names.split(','))
        QVERIFY2(PickPreflight::isStorableName(name) == storable, qPrintable(name));
}

void tst_PickPreflight::caseCollisions_data()
{
    // Folders that differ by case are one folder there: their files meet only by name.
    addRows({"row|paths|colliding", "none|a.txt b.txt d/a.txt|", "file names|Ab.txt x.txt ab.txt|2",
             "same name twice is one file|d/a.txt d/a.txt|",
             "folders|Photos/a.jpg photos/b.jpg Photos/c.jpg|",
             "one file, two folders|Dir/a.txt dir/a.txt|1",
             "folder against file|readme README/x.txt|1", "different folders|a/X.txt b/x.txt|",
             "deep|a/b/C/d.txt a/b/c/D.txt a/B/c/f.txt|1"});
}

void tst_PickPreflight::caseCollisions()
{
    QFETCH(QString, paths);
    QFETCH(QString, colliding);
    QString found;
    for (qsizetype index : PickPreflight::caseCollisions(paths.split(' ')))
        found += QString::number(index);
    QCOMPARE(found, colliding);
}

void tst_PickPreflight::existingAndSpace()
{
    TestTree temp({"src/a.txt#300000", "src/sub/b.txt#5000", "src/sub/c:d.txt#400000",
                   "src/e.txt#700000", "src/f.txt#1", "des/"});
    const Mount mount(temp.filePath("des"), "size=1m");
    if (!mount.mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");
    temp.make({"des/a.txt=already there", "des/sub/B.txt=not the same name here"});
    QList<QFileInfo> selection;
    for (const QString &line : temp.list("src"))
        if (!line.endsWith('/'))
            selection << QFileInfo(temp.filePath("src/" + line.section(' ', 0, 0)));
    const PickPlan plan
            = PickPreflight::check(temp.filePath("src"), temp.filePath("des"), selection);
    QCOMPARE(plan.fileSystemType, QByteArray("tmpfs"));
    QCOMPARE(plan.existing, 1);
    // Whole 4 KiB blocks of tmpfs: 5000, 400000, 700000 and 1 byte round up to 2 + 98 + 171 + 1.
    QCOMPARE(plan.bytesNeeded, qint64(272 * 4096));
    QCOMPARE(plan.bytesFree, QStorageInfo(temp.filePath("des")).bytesAvailable());
    QVERIFY(plan.lacksSpace() && plan.unstorable.isEmpty() && plan.needsConsent());
    // Not made yet: the nearest existing folder's figure, give or take what others write.
    const PickPlan later = PickPreflight::check(temp.filePath("src"), temp.filePath("des/x/y"),
                                                selection.mid(4));
    QVERIFY(qAbs(later.bytesFree - plan.bytesFree) < 4096);
    QVERIFY(!later.lacksSpace() && !later.needsConsent());
}

QTEST_GUILESS_MAIN(tst_PickPreflight)
#include "tst_pickpreflight.moc"
