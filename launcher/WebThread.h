#pragma once

#include <QString>
#include <QThread>
#include <QUrl>

// Opens one address in the external browser and waits on its own thread until the browser
// exits, so that the window never waits for it.
class WebThread : public QThread
{
public:
    WebThread(QUrl url, QObject *parent = nullptr);
    ~WebThread() override;

    // Replaces the platform's browser command for every later launch; for tests.
    static void setCommandForTests(const QString &command);
    // How many launchers exist at the moment.
    static int count();

protected:
    void run() override;

private:
    QUrl url;
    QString command;
};
