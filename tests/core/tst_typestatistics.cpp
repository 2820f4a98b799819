#include "TestFiles.h"

#include "mainwindow/TypeStatistics.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {
using namespace TestFiles;

struct Planned
{
    QString path;
    QString type;
    qint64 size;
};

// A tree whose figures are known from the plan: mixed case, no suffix, deep folders.
QList<Planned> plan()
{
    QList<Planned> files;
    const char *const names[]
            = {"a.JPG", "b.jpg", "c.Jpg", "README", "notes.", "x.tar.gz", "d.txt", "e.TXT"};
    const char *const types[] = {"jpg", "jpg", "jpg", "", "", "gz", "txt", "txt"};
    for (int i = 0; i < 120; ++i) {
        const int kind = i % 8;
        files.append({QStringLiteral("f%1/g%2/%3-%4")
                              .arg(i % 5)
                              .arg(i % 3)
                              .arg(i)
                              .arg(QLatin1String(names[kind])),
                      QLatin1String(types[kind]), qint64(i * 37 % 5000)});
    }
    return files;
}

QList<QFileInfo> writeTree(const QString &root, const QList<Planned> &files)
{
    QList<QFileInfo> infos;
    for (const Planned &file : files) {
        writeFile(root + '/' + file.path, QByteArray(file.size, 'x'));
        infos.append(QFileInfo(root + '/' + file.path));
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
    void countsAndSizes();
    void restartReportsOnePass();
    void stopReportsNothingMore();
    void texts_data();
    void texts();
};

void tst_TypeStatistics::countsAndSizes()
{
    QTemporaryDir temp;
    const QList<Planned> planned = plan();
    const QList<QFileInfo> files = writeTree(temp.path(), planned);
    QHash<QString, TypeStatistics::Figures> expected;
    for (const Planned &file : planned) {
        ++expected[file.type].files;
        expected[file.type].bytes += file.size;
        ++expected[file.type].sizedFiles;
    }

    TypeStatistics statistics;
    statistics.count(files);
    QStringList types = statistics.types();
    types.sort();
    QStringList expectedTypes = expected.keys();
    expectedTypes.sort();
    QCOMPARE(types, expectedTypes);
    for (const QString &type : types) {
        QCOMPARE(statistics.figures(type).files, expected[type].files);
        QVERIFY(!statistics.figures(type).sized());
    }

    sizeAll(statistics);
    for (const QString &type : types) {
        QCOMPARE(statistics.figures(type).bytes, expected[type].bytes);
        QVERIFY2(statistics.figures(type).sized(), qPrintable(type));
    }
    QCOMPARE(statistics.figures(QStringLiteral("png")).files, 0);
}

void tst_TypeStatistics::restartReportsOnePass()
{
    QTemporaryDir temp;
    const QList<QFileInfo> files = writeTree(temp.path(), plan());
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
