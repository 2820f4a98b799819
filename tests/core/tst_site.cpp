#include "app/Site.h"
#include "mainwindow/WindowPlacement.h"

#include <QFile>
#include <QTest>

class tst_Site : public QObject
{
    Q_OBJECT

private slots:
    void centring_data();
    void centring();
    void builtInSiteServesBothPaths_data();
    void builtInSiteServesBothPaths();
};

void tst_Site::centring_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("full hd") << QSize(1920, 1080) << QPoint(620, 287);
    QTest::newRow("smaller than the window") << QSize(599, 480) << QPoint(-40, -13);
    QTest::newRow("odd remainder") << QSize(681, 507) << QPoint(0, 0);
}

void tst_Site::centring()
{
    QFETCH(QSize, screen);
    QFETCH(QPoint, expected);
    QCOMPARE(centredPosition(screen, QSize(680, 506)), expected);
}

void tst_Site::builtInSiteServesBothPaths_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QByteArray>("contains");
    QTest::addColumn<QByteArray>("lacks");
    // The built-in banner has nowhere real to link to.
    QTest::newRow("advertisement")
            << Site::advertisementPage() << QByteArray("<h1>Trovella</h1>") << QByteArray("href");
    QTest::newRow("group store") << Site::fileTypeGroupStore() << QByteArray("Pictures=jpg;")
                                 << QByteArray();
}

void tst_Site::builtInSiteServesBothPaths()
{
    QFETCH(QUrl, url);
    QFETCH(QByteArray, contains);
    QFETCH(QByteArray, lacks);
    if (url.scheme() != QLatin1String("qrc"))
        QSKIP("built against an external site");
    QFile file(QLatin1Char(':') + url.path());
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(url.toString()));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains(contains));
    QVERIFY(lacks.isEmpty() || !bytes.contains(lacks));
}

QTEST_GUILESS_MAIN(tst_Site)
#include "tst_site.moc"
