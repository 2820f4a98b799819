#pragma once

#include <QString>
#include <QThread>
#include <QUrl>

// Opens one address in the external browser and waits on its own thread until the browser
// exits, so that the window never waits for it.
class WebThread : public QThread
{
    Q_OBJECT

public:
    WebThread(QUrl url, QObject *parent = nullptr);
    ~WebThread() override;

    // Replaces the platform's browser command for every later launch; for tests.
    static void setCommandForTests(const QString &command);
    // How many launchers exist at the moment.
    static int count();

signals:
    // The browser program could not be run at all (missing, not executable); sent from the
    // launcher's own thread.
    void notStarted(const QUrl &url);

protected:
    void run() override;

private:
    QUrl url;
    QString command;
};
