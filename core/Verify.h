#pragma once

#include "PickItem.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>

// Copies that prove themselves: the source is hashed (XXH3, 128 bits) as it is read, and the
// copy, once durable and dropped from the cache, is read back from the disk and hashed again.
namespace Verify {

// Copies the whole of in to out by hand, hashing what it reads into sum (16 bytes); returns 0
// or an errno. written grows as bytes arrive; betweenSteps, if given, runs every few megabytes.
int copy(int in, int out, std::atomic<qint64> &written, const std::function<void()> &betweenSteps,
         QByteArray *sum);

// Makes the copy open at fd (readable) durable, drops its pages from the cache, reads it back
// from the disk and compares its hash with sum; returns 0 or an errno, and where the copy reads
// back different, EIO with the reason in result.
int checkCopy(int fd, const QByteArray &sum, PickItem &result);

// The hash of the file at path, or an empty array when it cannot be read.
QByteArray hashFile(const QByteArray &path);

// The hash as xxh128sum prints it: 32 hex digits.
inline QByteArray hex(const QByteArray &sum) { return sum.toHex(); }

} // namespace Verify
