#include "Trovella.h"

#include "launcher/WebThread.h"

namespace {
// Each address gets a launcher of its own, which nobody owns; it is released once its
// thread has ended. A browser that cannot be run is reported in statusBar.
void openInBrowser(const QUrl &url, QStatusBar *statusBar)
{
    auto *launcher = new WebThread(url);
    QObject::connect(launcher, &QThread::finished, launcher, &QObject::deleteLater);
    QObject::connect(launcher, &WebThread::notStarted, statusBar, [statusBar](const QUrl &url) {
        statusBar->showMessage(Trovella::tr("No web browser could be started to show %1.")
                                       .arg(url.toDisplayString(QUrl::PreferLocalFile)));
    });
    launcher->start();
}
} // namespace

void Trovella::viewPickResult()
{
    // A local folder, so that "%", "#", "?" and blanks in its name stay part of the path.
    openInBrowser(QUrl::fromLocalFile(pickedFolder), ui.statusBar);
}

void Trovella::SetWebViewUrl(QUrl url) { openInBrowser(url, ui.statusBar); }
