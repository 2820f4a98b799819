#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <functional>

class QNetworkReply;

namespace Mv {

// A one-shot download into the current directory, named after the address's last segment.
// The file appears, written whole, only when the download succeeds; a failure leaves no
// file and an existing one untouched, and is logged.
class Downloader : public QObject
{
    Q_OBJECT

public:
    // blocking: doDownload() returns only once the download has ended. Otherwise it returns at
    // once, the file is stored when finished() is emitted, and destroying the object before
    // that abandons the download.
    explicit Downloader(bool blocking);
    ~Downloader() override;

    void doDownload(const QUrl &url);
    // How long a whole download may take; 10 s unless set.
    void setTimeout(int msecs);
    // Stores only a body that accept approves, such as none of a login page a network put
    // in place of the file.
    void setAccept(std::function<bool(const QByteArray &)> test) { accept = std::move(test); }

signals:
    void finished(bool stored);

private:
    void replyFinished();
    bool store(QNetworkReply *done);
    void fail(const QString &reason) const;

    std::function<bool(const QByteArray &)> accept;
    QNetworkAccessManager manager;
    QPointer<QNetworkReply> reply;
    QTimer timer;
    QUrl address;
    QString target;
    QString abortReason;
    bool blocking;
};

} // namespace Mv
