#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>

// The advertisement strip's page: remote content in a program that may run with
// administrator rights. A link click is reported by linkClicked instead of being followed,
// also for links that open a new window; the page cannot navigate the strip elsewhere, open
// windows or reach local files.
class AdvertPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit AdvertPage(QObject *parent = nullptr);

    // An address the external browser may be given: http or https.
    static bool isWeb(const QUrl &url);

signals:
    void linkClicked(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchInput();

    // Between a load the program asked for and its end, when the server may still redirect.
    bool loading = false;
    // A page's script "clicks" links too; only one right after the user's click or key counts.
    QPointer<QWidget> surface;
    QElapsedTimer sinceInput;
};
