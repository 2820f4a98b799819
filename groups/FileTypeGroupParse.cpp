#include "FileTypeGroupStore.h"

#include <QStringConverter>
#include <QStringList>
#include <QTextStream>

#include <algorithm>

QMap<QString, QString> FileTypeGroupStore::parse(const QByteArray &bytes)
{
    QMap<QString, QString> groups;
    QTextStream in(bytes);
    in.setEncoding(QStringConverter::System);
    // An empty line ends the groups, as does the end of the bytes.
    for (QString line = in.readLine(); !line.isEmpty(); line = in.readLine()) {
        const QStringList fields = line.split(QLatin1Char('='));
        // A line without "=" names no group.
        if (fields.size() < 2)
            continue;
        groups.insert(fields.at(0), fields.at(1));
    }
    return groups;
}

bool FileTypeGroupStore::isGroupStore(const QByteArray &bytes)
{
    QTextStream in(bytes);
    in.setEncoding(QStringConverter::System);
    bool any = false;
    for (QString line = in.readLine(); !line.isEmpty(); line = in.readLine()) {
        const bool odd = std::any_of(line.cbegin(), line.cend(), [](QChar c) {
            return c == QLatin1Char('<') || (c.unicode() < 0x20 && c != QLatin1Char('\t'));
        });
        if (odd || !line.contains(QLatin1Char('=')))
            return false;
        any = true;
    }
    return any;
}
