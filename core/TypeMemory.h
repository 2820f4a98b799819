#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The file ".trovella" in a source folder's top directory: the destination used last, then
// one "1:" line per checked type and one "0:" line per unchecked type.
class TypeMemory
{
public:
    struct Content
    {
        // The file could be read and holds at least its first line.
        bool found = false;
        QString destinationLine;
        QStringList checked;
        QStringList unchecked;
    };

    static QString filePath(const QString &folder);
    static Content read(const QString &folder);
    // The memory file's bytes as read() understands them.
    static Content parse(const QByteArray &bytes);
    // Replaces the memory whole or, on any failure, leaves the previous one as it was and
    // gives the reason in error.
    static bool write(const QString &folder, const QString &destination,
                      const QSet<QString> &checked, const QSet<QString> &unchecked,
                      QString *error = nullptr);
};
