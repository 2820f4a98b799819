#pragma once

#include <QUrl>

// Addresses on the maker's web site, below the base address fixed at configure time.
namespace Site {
QUrl address(const QString &path);
QUrl advertisementPage();
QUrl fileTypeGroupStore();
} // namespace Site
