#include "Trovella.h"

#include "launcher/WebThread.h"

namespace {
// Each address gets a launcher of its own, which nobody owns; it is released once its
// thread has ended.
void openInBrowser(const QUrl &url)
{
    auto *launcher = new WebThread(url);
    QObject::connect(launcher, &QThread::finished, launcher, &QObject::deleteLater);
    launcher->start();
}
} // namespace

void Trovella::viewPickResult()
{
    // A local folder, so that "%", "#", "?" and blanks in its name stay part of the path.
    openInBrowser(QUrl::fromLocalFile(pickedFolder));
}

void Trovella::SetWebViewUrl(QUrl url) { openInBrowser(url); }
