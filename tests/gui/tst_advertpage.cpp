#include "GuiTest.h"
#include "mainwindow/AdvertPage.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebEngineView>

namespace {
// The real page, with its console and its navigation decisions in view.
class WatchedPage : public AdvertPage
{
public:
    using AdvertPage::AdvertPage;
    QStringList console;
    QStringList decisions; // "url accepted|rejected"

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int,
                                  const QString &) override
    {
        console << message;
    }
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        const bool accepted = AdvertPage::acceptNavigationRequest(url, type, isMainFrame);
        decisions << url.path() + (accepted ? " accepted" : " rejected");
        return accepted;
    }
};

// A link that fills the view, so that a real click anywhere lands on it.
const QByteArray hostilePage = R"(<title>ad</title>
<style>a{display:block;position:fixed;inset:0}</style>
<a id="link" href="/clicked">news</a>)";
} // namespace

class tst_AdvertPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void scriptOpensNoWindow();
    void staysWhereItIs_data();
    void staysWhereItIs();
    void refreshGoesNowhere();
    void clickLeavesOnce();

private:
    void load(const QByteArray &path);

    HttpServer *site = nullptr;
    QWebEngineView *view = nullptr;
    WatchedPage *page = nullptr;
};

void tst_AdvertPage::init()
{
    // The strip's pages, served on 127.0.0.1; every request is recorded by its path.
    site = new HttpServer;
    QVERIFY(site->isListening());
    site->replies["/ad"] = HttpServer::reply("200 OK", hostilePage);
    site->replies["/refresh"] = HttpServer::reply(
            "200 OK", R"(<meta http-equiv="refresh" content="0; url=/elsewhere">)");
    view = new QWebEngineView;
    page = new WatchedPage(view);
    view->setPage(page);
    view->resize(400, 100);
    view->show();
}

void tst_AdvertPage::cleanup()
{
    delete view;
    delete site;
}

void tst_AdvertPage::load(const QByteArray &path)
{
    QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
    view->setUrl(site->url(QString::fromLatin1(path)));
    QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 30000);
    QVERIFY(loaded.at(0).at(0).toBool());
}

// Reads of file: URLs, by script or frame, the engine refuses to any web page itself.
void tst_AdvertPage::scriptOpensNoWindow()
{
    QSignalSpy clicked(page, &AdvertPage::linkClicked);
    load("/ad");
    page->runJavaScript("console.log(window.open('/popup') ? 'leak' : 'blocked')");
    QTRY_VERIFY_WITH_TIMEOUT(page->console.contains("blocked"), 10000);
    QVERIFY2(!page->console.contains("leak"), qPrintable(page->console.join(", ")));
    QCOMPARE(page->url(), site->url("/ad"));
    QVERIFY(!site->requested.contains("/popup"));
    QCOMPARE(clicked.size(), 0);
}

void tst_AdvertPage::staysWhereItIs_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("target");
    QTest::newRow("location") << QString("location.href = '/elsewhere'") << QString("/elsewhere");
    QTest::newRow("script click") << QString("document.getElementById('link').click()")
                                  << QString("/clicked");
    QTest::newRow("reload") << QString("location.reload()") << QString("/ad");
}

void tst_AdvertPage::staysWhereItIs()
{
    QFETCH(QString, script);
    QFETCH(QString, target);
    QSignalSpy clicked(page, &AdvertPage::linkClicked);
    load("/ad");
    page->decisions.clear();
    site->requested.clear();
    page->runJavaScript(script + "; console.log('ran')");
    QTRY_VERIFY_WITH_TIMEOUT(page->decisions.contains(target + " rejected")
                                     || page->decisions.contains(target + " accepted"),
                             10000);
    QVERIFY2(!page->decisions.contains(target + " accepted"),
             qPrintable(page->decisions.join(", ")));
    QCOMPARE(page->url(), site->url("/ad"));
    QCOMPARE(clicked.size(), 0);
    QVERIFY(!site->requested.contains(target.toLatin1()));
}

void tst_AdvertPage::refreshGoesNowhere()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Kept the advertisement from going to"));
    load("/refresh");
    QTRY_VERIFY_WITH_TIMEOUT(page->decisions.contains("/elsewhere rejected"), 10000);
    QCOMPARE(page->url(), site->url("/refresh"));
    QVERIFY(!site->requested.contains("/elsewhere"));
}

void tst_AdvertPage::clickLeavesOnce()
{
    QSignalSpy clicked(page, &AdvertPage::linkClicked);
    load("/ad");
    QWidget *surface = view->focusProxy();
    QVERIFY(surface);
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(200, 50));
    QTRY_COMPARE_WITH_TIMEOUT(clicked.size(), 1, 10000);
    QCOMPARE(clicked.at(0).at(0).toUrl(), site->url("/clicked"));
    QTest::qWait(200);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(page->url(), site->url("/ad"));
    QVERIFY(!site->requested.contains("/clicked"));
}

TROVELLA_GUI_TEST_MAIN(tst_AdvertPage)
#include "tst_advertpage.moc"
