#include "GuiTest.h"
#include "mainwindow/AdvertPage.h"

#include <QSignalSpy>
#include <QWebEngineView>

namespace {
// The real page, with the decisions on where the page itself wants to go in view.
class WatchedPage : public AdvertPage
{
public:
    using AdvertPage::AdvertPage;
    QStringList decisions;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        const bool accepted = AdvertPage::acceptNavigationRequest(url, type, isMainFrame);
        if (type != NavigationTypeTyped)
            decisions << url.path() + (accepted ? " accepted" : " rejected");
        return accepted;
    }
};
} // namespace

class tst_AdvertPage : public QObject
{
    Q_OBJECT

private slots:
    void staysWhereItIs_data();
    void staysWhereItIs();
};

void tst_AdvertPage::staysWhereItIs_data()
{
    QTest::addColumn<QString>("script"); // "click" for a real click on the link
    for (const char *script :
         {"click", "document.links[0].click()", "window.open('/away') || location.assign('/away')",
          "document.head.innerHTML = '<meta http-equiv=refresh content=0;/away>'"})
        QTest::newRow(script) << QString(script);
}

// Only a real click leaves, once and through the signal; nothing else the page does takes
// the strip anywhere.
void tst_AdvertPage::staysWhereItIs()
{
    QFETCH(QString, script);
    HttpServer site;
    // A link that fills the view, so that a click anywhere lands on it.
    site.replies["/ad"] = HttpServer::reply("200 OK", R"(<title>ad</title>
<style>a{display:block;position:fixed;inset:0}</style><a href="/away">news</a>)");
    QWebEngineView view;
    auto *page = new WatchedPage(&view);
    view.setPage(page);
    view.resize(400, 100);
    view.show();
    QSignalSpy clicked(page, &AdvertPage::linkClicked);
    QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
    view.setUrl(site.url("/ad"));
    QVERIFY(loaded.wait(30000) && loaded.at(0).at(0).toBool());
    if (script == "click")
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(200, 50));
    else
        page->runJavaScript(script);
    QTRY_VERIFY_WITH_TIMEOUT(!page->decisions.isEmpty(), 10000);
    QCOMPARE(page->decisions, QStringList {"/away rejected"});
    QCOMPARE(clicked.size(), int(script == "click"));
    if (!clicked.isEmpty())
        QCOMPARE(clicked.at(0).at(0).toUrl(), site.url("/away"));
    QCOMPARE(page->url(), site.url("/ad"));
    QVERIFY(!site.requested.contains("/away"));
}

TROVELLA_GUI_TEST_MAIN(tst_AdvertPage)
#include "tst_advertpage.moc"
