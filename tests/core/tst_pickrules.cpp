#include "TestSupport.h"
#include "core/FileType.h"
#include "core/PickRules.h"
#include "core/TypeStatistics.h"

class tst_PickRules : public QObject
{
    Q_OBJECT

private slots:
    void fileType_data();
    void fileType();
    void destination_data();
    void destination();
    void selection_data();
    void selection();
};

void tst_PickRules::fileType_data()
{
    addRows({"row|path|type", "upper case|/p/a.JPG|jpg", "two dots|/p/archive.tar.gz|gz",
             "no dot|/p/README|", "trailing dot|/p/notes.|", "dot-file|/p/.bashrc|bashrc",
             "dot-file with suffix|/p/.picasa.ini|ini", "dot in folder only|/p.d/Makefile|",
             "relative|x.Png|png", "non-ASCII|/p/Été.ÄVI|ävi"});
}

// The scan and the pick must agree with QFileInfo on every name, or files go missing.
void tst_PickRules::fileType()
{
    QFETCH(QString, path);
    QFETCH(QString, type);
    QCOMPARE(fileSuffix(path).toString(), QFileInfo(path).suffix());
    QCOMPARE(::fileType(QFileInfo(path)), type);
    // Many suffixes, so that the list of kept suffixes grows and moves while views look at it.
    TypeStatistics statistics;
    QSet<QString> expected {type};
    for (int i = 0; i < 200; ++i) {
        statistics.add(QStringLiteral("f.T%1").arg(i), fileSuffix(QStringLiteral("f.T%1").arg(i)));
        statistics.add(path, fileSuffix(path));
        expected << QStringLiteral("t%1").arg(i);
    }
    QCOMPARE(statistics.types().size(), expected.size());
    QCOMPARE(QSet<QString>(statistics.types().cbegin(), statistics.types().cend()), expected);
    QCOMPARE(statistics.figures(type).files, qint64(200));
}

void tst_PickRules::destination_data()
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

void tst_PickRules::destination()
{
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(QString, expected);
    QCOMPARE(pickDestination(source, destination), expected);
}

void tst_PickRules::selection_data()
{
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("not an inner suffix") << QStringList {"tar"} << QStringList {};
    QTest::newRow("leading dot") << QStringList {"profile"} << QStringList {".profile"};
    QTest::newRow("item text is not lower-cased") << QStringList {"JPG"} << QStringList {};
    QTest::newRow("in list order")
            << QStringList {"gz", "jpg"} << QStringList {"2009/a.JPG", "archive.tar.gz", "b.jpg"};
}

void tst_PickRules::selection()
{
    QFETCH(QStringList, types);
    QFETCH(QStringList, expected);
    QList<QFileInfo> files;
    for (const char *name : {"2009/a.JPG", "archive.tar.gz", "README", ".profile", "b.jpg", "x."})
        files << QFileInfo(QString("/src/") + name);
    QStringList picked;
    for (const QFileInfo &file : pickSelection(files, QSet<QString>(types.cbegin(), types.cend())))
        picked << file.filePath().mid(5);
    QCOMPARE(picked, expected);
}

QTEST_GUILESS_MAIN(tst_PickRules)
#include "tst_pickrules.moc"
