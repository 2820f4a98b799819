#include "Downloader.h"

#include "core/Logging.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QSaveFile>

namespace Mv {

Downloader::Downloader(bool blocking)
    : blocking(blocking)
{
    timer.setSingleShot(true);
    timer.setInterval(10000);
    connect(&timer, &QTimer::timeout, this, [this] {
        abortReason = QStringLiteral("no complete answer within %1 ms").arg(timer.interval());
        if (reply)
            reply->abort();
    });
}

Downloader::~Downloader()
{
    if (reply) {
        abortReason = QStringLiteral("abandoned before it ended");
        reply->abort();
    }
}

void Downloader::setTimeout(int msecs) { timer.setInterval(msecs); }

void Downloader::doDownload(const QUrl &url)
{
    if (reply) {
        qCWarning(lcWeb, "Not downloading %s: %s is still being downloaded",
                  qUtf8Printable(url.toDisplayString()), qUtf8Printable(address.toDisplayString()));
        return;
    }
    address = url;
    target = url.fileName();
    abortReason.clear();
    if (target.isEmpty()) {
        fail(QStringLiteral("the address names no file"));
        emit finished(false);
        return;
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    reply = manager.get(request);
    connect(reply, &QNetworkReply::finished, this, &Downloader::replyFinished);
    timer.start();
    if (!blocking)
        return;

    QEventLoop loop;
    connect(this, &Downloader::finished, &loop, &QEventLoop::quit);
    if (reply)
        loop.exec();
    // The loop also ends when the application quits: a download cut short stores nothing.
    if (reply) {
        abortReason = QStringLiteral("interrupted");
        reply->abort();
    }
}

void Downloader::replyFinished()
{
    timer.stop();
    QNetworkReply *done = reply;
    reply = nullptr;
    done->deleteLater();
    emit finished(store(done));
}

bool Downloader::store(QNetworkReply *done)
{
    if (done->error() != QNetworkReply::NoError) {
        fail(abortReason.isEmpty() ? done->errorString() : abortReason);
        return false;
    }
    const QVariant status = done->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() / 100 != 2) {
        fail(QStringLiteral("the server answered %1").arg(status.toInt()));
        return false;
    }
    QSaveFile file(target);
    const QByteArray body = done->readAll();
    if (accept && !accept(body)) {
        fail(QStringLiteral("the answer is not the file asked for"));
        return false;
    }
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit()) {
        fail(QStringLiteral("cannot write %1: %2").arg(target, file.errorString()));
        return false;
    }
    return true;
}

void Downloader::fail(const QString &reason) const
{
    qCWarning(lcWeb, "Download of %s failed: %s", qUtf8Printable(address.toDisplayString()),
              qUtf8Printable(reason));
}

} // namespace Mv
