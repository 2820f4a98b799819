#include "TestSupport.h"

#include "core/TypeStatistics.h"

#include <QLocale>
#include <QSignalSpy>

namespace {
// Files of three types and assorted sizes; the counts and sizes per type are checked against
// figures of the test's own in tst_preview.
QList<QFileInfo> writeTree(const QString &root)
{
    QList<QFileInfo> infos;
    for (int i = 0; i < 120; ++i) {
        const QString path = QString("%1/f%2/%3.%4")
                                     .arg(root)
                                     .arg(i % 5)
                                     .arg(i)
                                     .arg(QStringList {"JPG", "jpg", "", "gz"}.at(i % 4));
        writeFile(path, QByteArray(i * 37 % 5000, 'x'));
        infos.append(QFileInfo(path));
    }
    return infos;
}

void sizeAll(TypeStatistics &statistics)
{
    TypeSizer sizer;
    QObject::connect(&sizer, &TypeSizer::sized, &sizer,
                     [&](const QList<qint64> &bytes, const QList<qint64> &files) {
                         statistics.addSizes(bytes, files);
                     });
    QSignalSpy finished(&sizer, &TypeSizer::finished);
    sizer.start(statistics.takePaths(), int(statistics.types().size()));
    QVERIFY(finished.wait(20000));
}
} // namespace

class tst_TypeStatistics : public QObject
{
    Q_OBJECT

private slots:
    void restartReportsOnePass();
    void stopReportsNothingMore();
    void texts_data();
    void texts();
};

void tst_TypeStatistics::restartReportsOnePass()
{
    QTemporaryDir temp;
    const QList<QFileInfo> files = writeTree(temp.path());
    TypeStatistics first;
    first.count(files);
    sizeAll(first);

    // A second start while the first runs: only the second pass counts.
    TypeStatistics statistics;
    statistics.count(files);
    const QList<TypeStatistics::TypedPath> paths = statistics.takePaths();
    TypeSizer sizer;
    connect(&sizer, &TypeSizer::sized, this,
            [&](const QList<qint64> &bytes, const QList<qint64> &sized) {
                statistics.addSizes(bytes, sized);
            });
    QSignalSpy finished(&sizer, &TypeSizer::finished);
    sizer.start(paths, int(statistics.types().size()));
    sizer.start(paths, int(statistics.types().size()));
    QVERIFY(finished.wait(20000));
    QTest::qWait(50);
    QCOMPARE(finished.size(), 1);
    for (const QString &type : statistics.types()) {
        QCOMPARE(statistics.figures(type).bytes, first.figures(type).bytes);
        QCOMPARE(statistics.figures(type).sizedFiles, first.figures(type).files);
    }
}

void tst_TypeStatistics::stopReportsNothingMore()
{
    QList<TypeStatistics::TypedPath> paths;
    for (int i = 0; i < 200000; ++i)
        paths.append({QStringLiteral("/no/such/file/%1").arg(i), 0});
    TypeSizer sizer;
    QSignalSpy sized(&sizer, &TypeSizer::sized);
    sizer.start(paths, 1);
    sizer.stop();
    QVERIFY(!sizer.isRunning());
    QTest::qWait(300);
    QCOMPARE(sized.size(), 0);
}

void tst_TypeStatistics::texts_data()
{
    QTest::addColumn<qint64>("files");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<qint64>("sizedFiles");
    QTest::addColumn<QString>("text");

    QTest::newRow("large") << qint64(1204) << qint64(3435973837) << qint64(1204)
                           << QString("1,204 files · 3.2 GB");
    QTest::newRow("one file") << qint64(1) << qint64(512) << qint64(1)
                              << QString("1 file · 512 bytes");
    QTest::newRow("partly sized") << qint64(10) << qint64(2048) << qint64(3)
                                  << QString("10 files · 2.0 kB…");
    QTest::newRow("not sized yet") << qint64(7) << qint64(0) << qint64(0) << QString("7 files · …");
    QTest::newRow("no file") << qint64(0) << qint64(0) << qint64(0) << QString("0 files · 0 bytes");
}

void tst_TypeStatistics::texts()
{
    QFETCH(qint64, files);
    QFETCH(qint64, bytes);
    QFETCH(qint64, sizedFiles);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TypeStatistics::Figures figures;
    figures.files = files;
    figures.bytes = bytes;
    figures.sizedFiles = sizedFiles;
    QCOMPARE(TypeStatistics::figuresText(figures), text);
}

QTEST_GUILESS_MAIN(tst_TypeStatistics)
#include "tst_typestatistics.moc"
