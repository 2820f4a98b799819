#pragma once

#include <QByteArray>
#include <QString>

// The program's own small text files, read whole. Each stays small while the program writes
// it; a bigger one is damaged or foreign and is left unread rather than filling memory.
namespace SmallFile {

constexpr qint64 maxSize = 4 * 1024 * 1024;

// False when the file does not exist, and, with a warning naming the path, when it cannot be
// read or holds more than maxSize bytes.
bool read(const QString &path, QByteArray *bytes);

} // namespace SmallFile
