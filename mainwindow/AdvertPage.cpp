#include "AdvertPage.h"

#include <QWebEngineSettings>

namespace {

// Stands in for the window a target=_blank link asks for: its first navigation is the link.
class NewWindowCatcher : public QWebEnginePage
{
public:
    explicit NewWindowCatcher(AdvertPage *owner)
        : QWebEnginePage(owner)
        , owner(owner)
    { }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override
    {
        if (!url.isEmpty() && url != QUrl(QStringLiteral("about:blank"))) {
            Q_EMIT owner->linkClicked(url);
            deleteLater();
        }
        return false;
    }

private:
    AdvertPage *owner;
};

} // namespace

AdvertPage::AdvertPage(QObject *parent)
    : QWebEnginePage(parent)
{
    // The page comes from the web: it gets nothing of the local disk.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
}

bool AdvertPage::isLocal(const QUrl &url)
{
    return url.isLocalFile() || url.scheme() == QLatin1String("qrc")
            || url.scheme() == QLatin1String("about") || url.scheme() == QLatin1String("data");
}

bool AdvertPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (type == NavigationTypeLinkClicked && !isLocal(url)) {
        Q_EMIT linkClicked(url);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

QWebEnginePage *AdvertPage::createWindow(WebWindowType) { return new NewWindowCatcher(this); }
