#include "TestSupport.h"
#include "core/TypeStatistics.h"

#include <QLocale>
#include <QSignalSpy>

class tst_TypeStatistics : public QObject
{
    Q_OBJECT

private slots:
    void sizesOnePass();
    void texts_data();
    void texts();
};

void tst_TypeStatistics::sizesOnePass()
{
    TestTree temp;
    QList<QFileInfo> files;
    QMap<QString, qint64> expected;
    for (int i = 0; i < 120; ++i) {
        const QString name = QString("f%1/%2.%3")
                                     .arg(i % 5)
                                     .arg(i)
                                     .arg(QStringList {"JPG", "jpg", "", "gz"}.at(i % 4));
        temp.make({name + '#' + QString::number(i * 37 % 5000)});
        files << QFileInfo(temp.filePath(name));
        expected[files.last().suffix().toLower()] += i * 37 % 5000;
    }
    TypeStatistics statistics;
    statistics.count(files);
    statistics.clear();
    statistics.count(files);
    const QList<TypeStatistics::TypedPath> paths = statistics.takePaths();
    TypeSizer sizer;
    connect(&sizer, &TypeSizer::sized, this,
            [&](const QList<qint64> &bytes, const QList<qint64> &sized) {
                statistics.addSizes(bytes, sized);
            });
    QSignalSpy finished(&sizer, &TypeSizer::finished);
    // A second start while the first runs: only the second pass counts.
    sizer.start(paths, int(statistics.types().size()));
    sizer.start(paths, int(statistics.types().size()));
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

void tst_TypeStatistics::texts_data()
{
    addRows({"row|figures|text", // files, bytes, sized files
             "large|1204 3435973837 1204|1,204 files · 3.2 GB",
             "one file|1 512 1|1 file · 512 bytes", "partly sized|10 2048 3|10 files · 2.0 kB…",
             "not sized yet|7 0 0|7 files · …", "no file|0 0 0|0 files · 0 bytes"});
}

void tst_TypeStatistics::texts()
{
    QFETCH(QString, figures);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TypeStatistics::Figures given;
    given.files = figures.section(' ', 0, 0).toLongLong();
    given.bytes = figures.section(' ', 1, 1).toLongLong();
    given.sizedFiles = figures.section(' ', 2, 2).toLongLong();
    QTEST(TypeStatistics::figuresText(given), "text");
}

QTEST_GUILESS_MAIN(tst_TypeStatistics)
#include "tst_typestatistics.moc"
