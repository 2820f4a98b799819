#include "AdvertPage.h"

#include "core/Logging.h"

#include <QEvent>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
// Long enough for a click to become a navigation request, short enough that a script
// waiting for it gets nothing out of an earlier click.
const qint64 inputMilliseconds = 1000;

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
            if (AdvertPage::isWeb(url))
                Q_EMIT owner->linkClicked(url);
            else
                qCWarning(lcWeb, "Ignored a new window for %s asked by the advertisement",
                          qUtf8Printable(url.toDisplayString()));
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
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings()->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    connect(this, &QWebEnginePage::loadFinished, this, [this] {
        loading = false;
        watchInput();
    });
}

bool AdvertPage::isWeb(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

void AdvertPage::watchInput()
{
    // The view makes its input widget once it shows a page.
    QWebEngineView *view = QWebEngineView::forPage(this);
    QWidget *proxy = view ? view->focusProxy() : nullptr;
    if (!proxy || proxy == surface)
        return;
    surface = proxy;
    surface->installEventFilter(this);
}

bool AdvertPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == surface) {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonRelease || type == QEvent::KeyPress)
            sinceInput.start();
    }
    return QWebEnginePage::eventFilter(watched, event);
}

bool AdvertPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (type == NavigationTypeLinkClicked) {
        if (!sinceInput.isValid() || sinceInput.elapsed() > inputMilliseconds)
            qCWarning(lcWeb, "Ignored a link to %s that the advertisement followed by itself",
                      qUtf8Printable(url.toDisplayString()));
        else if (isWeb(url))
            Q_EMIT linkClicked(url);
        else
            qCWarning(lcWeb, "Ignored a link to %s in the advertisement",
                      qUtf8Printable(url.toDisplayString()));
        return false;
    }
    if (!isMainFrame) {
        // Frames of the page may show web content and the built-in site's own, never files.
        return !url.isLocalFile()
                && (url.scheme() != QLatin1String("qrc")
                    || this->url().scheme() == QLatin1String("qrc"));
    }
    // The strip shows what the program loads into it, and the redirects of that load; the
    // page itself moves it nowhere, neither by script, form, refresh nor history.
    if (type == NavigationTypeTyped) {
        loading = true;
        return true;
    }
    if (type == NavigationTypeRedirect && loading)
        return true;
    qCWarning(lcWeb, "Kept the advertisement from going to %s",
              qUtf8Printable(url.toDisplayString()));
    return false;
}

QWebEnginePage *AdvertPage::createWindow(WebWindowType) { return new NewWindowCatcher(this); }
