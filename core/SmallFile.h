#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// The program's own small text files, read whole. Each stays small while the program writes
// it; a bigger one is damaged or foreign and is left unread rather than filling memory.
// Only regular files are read or written: a pipe under the name would block, a link could
// lead the write anywhere.
namespace SmallFile {

constexpr qint64 maxSize = 4 * 1024 * 1024;

// False when the file does not exist, and, with a warning naming the path, when it is not a
// regular file, cannot be read or holds more than maxSize bytes.
bool read(const QString &path, QByteArray *bytes);

// Replaces the file whole with bytes, written aside and renamed over it, so a failure keeps
// the old file. False, with a warning naming the path, when that fails or the name is taken
// by anything but a regular file; error then holds the reason.
bool write(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode = {},
           QString *error = nullptr);

} // namespace SmallFile
