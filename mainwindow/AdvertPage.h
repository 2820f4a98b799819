#pragma once

#include <QUrl>
#include <QWebEnginePage>

// The advertisement strip's page. A click on a link to a document that is not local is
// reported by linkClicked instead of being followed, also for links that open a new window.
class AdvertPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit AdvertPage(QObject *parent = nullptr);

    static bool isLocal(const QUrl &url);

signals:
    void linkClicked(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
};
