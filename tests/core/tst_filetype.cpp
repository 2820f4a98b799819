#include "core/FileType.h"
#include "core/TypeStatistics.h"

#include <QTest>

class tst_FileType : public QObject
{
    Q_OBJECT

private slots:
    void matchesQFileInfo_data();
    void matchesQFileInfo();
    void typeSet_data();
    void typeSet();
};

void tst_FileType::matchesQFileInfo_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("type");
    QTest::newRow("upper case") << "/p/a.JPG" << QString("jpg");
    QTest::newRow("two dots") << "/p/archive.tar.gz" << QString("gz");
    QTest::newRow("no dot") << "/p/README" << QString("");
    QTest::newRow("trailing dot") << "/p/notes." << QString("");
    QTest::newRow("dot-file") << "/p/.bashrc" << QString("bashrc");
    QTest::newRow("dot-file with suffix") << "/p/.picasa.ini" << QString("ini");
    QTest::newRow("dot in folder only") << "/p.d/Makefile" << QString("");
    QTest::newRow("relative") << "x.Png" << QString("png");
    QTest::newRow("non-ASCII") << QString::fromUtf8("/p/Été.ÄVI") << QString::fromUtf8("ävi");
}

// The scan and the pick must agree with QFileInfo on every name, or files go missing.
void tst_FileType::matchesQFileInfo()
{
    QFETCH(QString, path);
    QFETCH(QString, type);
    const QFileInfo file(path);
    QCOMPARE(fileSuffix(file.filePath()).toString(), file.suffix());
    QCOMPARE(fileType(file), file.suffix().toLower());
    QCOMPARE(fileType(file), type);
}

void tst_FileType::typeSet_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("types");
    QTest::newRow("mixed") << QStringList {"/p/README", "/p/x/y.gz", "/p/notes.", "/p/z.GZ",
                                           "/p/.DS_Store"}
                           << QStringList {"", "gz", "ds_store"};
}

void tst_FileType::typeSet()
{
    QFETCH(QStringList, paths);
    QFETCH(QStringList, types);
    TypeStatistics statistics;
    // Many suffixes, so that the list of kept suffixes grows and moves while views look at it.
    for (int i = 0; i < 200; ++i) {
        const QString path = QStringLiteral("f.t%1").arg(i);
        statistics.add(path, fileSuffix(path));
    }
    for (const QString &path : paths)
        statistics.add(path, fileSuffix(path));
    QSet<QString> expected(types.cbegin(), types.cend());
    for (int i = 0; i < 200; ++i)
        expected.insert(QStringLiteral("t%1").arg(i));
    const QStringList found = statistics.types();
    QCOMPARE(QSet<QString>(found.cbegin(), found.cend()), expected);
    QCOMPARE(found.size(), expected.size());
}

QTEST_GUILESS_MAIN(tst_FileType)
#include "tst_filetype.moc"
