#include "Downloader.h"

namespace Mv {

Downloader::Downloader(bool blocking)
    : blocking(blocking)
{ }

Downloader::~Downloader() = default;

// Not built yet: the download itself.
void Downloader::doDownload(const QUrl &url) { Q_UNUSED(url); }

} // namespace Mv
