#include "app/Site.h"
#include "core/WindowPlacement.h"

#include <QFile>
#include <QTest>

class tst_Site : public QObject
{
    Q_OBJECT

private slots:
    void centring_data();
    void centring();
    void builtInBannerLinksNowhere();
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
    QTEST(centredPosition(screen, QSize(680, 506)), "expected");
}

void tst_Site::builtInBannerLinksNowhere()
{
    const QUrl url = Site::advertisementPage();
    if (url.scheme() != "qrc")
        QSKIP("built against an external site");
    QFile file(':' + url.path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("<h1>Trovella</h1>") && !bytes.contains("href"));
}

QTEST_GUILESS_MAIN(tst_Site)
#include "tst_site.moc"
