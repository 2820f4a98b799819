#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>

namespace CopyData {

// Copies the whole of in to out, through the kernel where it can (a clone, copy_file_range),
// by hand elsewhere; returns 0 or an errno. written grows as bytes arrive. Large files go in
// steps of a few megabytes whose write-back starts at once, so that a later sync is short;
// betweenSteps, if given, runs after each.
int copy(int in, int out, std::atomic<qint64> &written, const std::function<void()> &betweenSteps);

// Whether the two files hold the same bytes; false when either cannot be read.
bool sameContent(const QByteArray &one, const QString &other);

} // namespace CopyData
