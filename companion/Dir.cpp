#include "Dir.h"

#include "core/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QPointer>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <memory>

namespace Mv {

namespace {

    // The walk in progress and the account of the last one; only the GUI thread touches them.
    DirWalker *running = nullptr;
    WalkReport last;

} // namespace

// The walk runs on a worker thread while this thread keeps handling events, so the window
// stays live. A second call made from one of those events is refused: it would wait inside
// the first and share its status bar.
bool Dir::GetAllFiles(QString folder, FileList &files, QStatusBar *status,
                      const DirWalker::Arrival &arrived, Clutter::Rules leftOut)
{
    if (running) {
        qCWarning(lcScan, "Not scanning %s: another scan is still running",
                  qUtf8Printable(QDir::toNativeSeparators(folder)));
        last = WalkReport();
        last.cancelled = true;
        return false;
    }

    DirWalker walker(folder);
    walker.leaveOut(leftOut);
    FileList found;
    bool ok = false;
    std::unique_ptr<QThread> worker(QThread::create([&] { ok = walker.run(found, arrived); }));

    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);

    QPointer<QStatusBar> bar(status);
    QString shown;
    auto showCount = [&] {
        shown = QCoreApplication::translate("Trovella", "Scanning: %n files", nullptr,
                                            int(walker.filesFound()));
        if (bar)
            bar->showMessage(shown);
    };
    QTimer ticker;
    ticker.setInterval(250);
    QObject::connect(&ticker, &QTimer::timeout, &loop, showCount);

    running = &walker;
    showCount();
    ticker.start();
    worker->start();
    loop.exec();
    // The loop also ends when the application quits; the walk must not outlive this call.
    walker.cancel();
    worker->wait();
    running = nullptr;

    if (bar && bar->currentMessage() == shown)
        bar->clearMessage();
    files = std::move(found);
    last = walker.report();
    return ok;
}

void Dir::Cancel()
{
    if (running)
        running->cancel();
}

WalkReport Dir::lastReport() { return last; }

} // namespace Mv
