#pragma once

#include <QObject>
#include <QUrl>

namespace Mv {

// A one-shot download into the current directory, named after the address's last segment.
class Downloader : public QObject
{
    Q_OBJECT

public:
    explicit Downloader(bool blocking);
    ~Downloader() override;

    void doDownload(const QUrl &url);

private:
    bool blocking;
};

} // namespace Mv
