#pragma once

#include <QString>
#include <QStringView>

// The part of a file name after its last dot, as QFileInfo::suffix() gives it, as a view
// into path: empty for a name without a dot, the rest of the name for a dot-file.
QStringView fileSuffix(const QString &path);
