#include "FileTypeGroupStore.h"

#include <QStringConverter>
#include <QStringList>
#include <QTextStream>

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
