#include "WebThread.h"

#include "core/Logging.h"

#include "BrowserCommand.h"

#include <QProcess>

#include <atomic>

namespace {
QString testCommand;
std::atomic<int> launchers {0};
} // namespace

WebThread::WebThread(QUrl url, QObject *parent)
    : QThread(parent)
    , url(url)
    , command(testCommand)
{
    ++launchers;
}

WebThread::~WebThread() { --launchers; }

void WebThread::setCommandForTests(const QString &command) { testCommand = command; }

int WebThread::count() { return launchers; }

void WebThread::run()
{
    // The platform's command is looked up anew for every launch.
    const BrowserLaunch launch = browserLaunch(command.isNull() ? browserCommand() : command, url);
    const int exitCode = QProcess::execute(launch.program, launch.arguments);
    if (exitCode == -2) {
        qCWarning(lcWeb, "Could not start the browser \"%s\" for %s",
                  qUtf8Printable(launch.program), qUtf8Printable(url.toString()));
        Q_EMIT notStarted(url);
    }
}
