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
bool Dir::GetAllFiles(QString folder, QList<QFileInfo> &files, QStatusBar *status,
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
    QList<QFileInfo> found;
    bool ok = false;
    const qsizetype before = files.size();
    const DirWalker::Arrival shifted
            = [&](const QFileInfo *first, qsizetype count, qsizetype index) {
                  arrived(first, count, before + index);
              };
    std::unique_ptr<QThread> worker(QThread::create([&] {
        ok = walker.run(found, arrived ? shifted : DirWalker::Arrival());
        // The list lives as long as the window shows it, and its growth can leave it
        // half empty. Letting go of that touches every entry: only for a whole list with
        // much to gain, and here rather than on the window's thread.
        if (!walker.report().cancelled && found.capacity() - found.size() > found.size() / 8)
            found.squeeze();
    }));

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
    if (files.isEmpty())
        files.swap(found);
    else
        files.append(std::move(found));
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
