#include "TypeMemory.h"

#include "SmallFile.h"

#include <QDir>
#include <QStringConverter>

#include <algorithm>

namespace {
const char *const memoryFileName = ".trovella";
const QLatin1String checkedPrefix("1:");
const QLatin1String uncheckedPrefix("0:");

void appendGroup(QString &text, QLatin1String prefix, const QSet<QString> &types)
{
    // Sorted, so that the same choice always gives the same file.
    QStringList sorted(types.cbegin(), types.cend());
    std::sort(sorted.begin(), sorted.end());
    for (const QString &type : std::as_const(sorted))
        text += prefix + type + QLatin1Char('\n');
}
} // namespace

QString TypeMemory::filePath(const QString &folder)
{
    return QDir(folder).absoluteFilePath(QLatin1String(memoryFileName));
}

TypeMemory::Content TypeMemory::read(const QString &folder)
{
    QByteArray bytes;
    if (!SmallFile::read(filePath(folder), &bytes))
        return Content();
    return parse(bytes);
}

TypeMemory::Content TypeMemory::parse(const QByteArray &bytes)
{
    Content content;
    // Split on LF only: CRs inside a line belong to it. Stateless, so that a sequence cut
    // short at the end is replaced rather than held back for bytes that never come.
    QStringDecoder decode(QStringConverter::System, QStringConverter::Flag::Stateless);
    QStringList lines = QString(decode(bytes)).split(QLatin1Char('\n'));
    // A final line end closes the last line; it does not open another one.
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (lines.isEmpty())
        return content;

    content.found = true;
    content.destinationLine = lines.first();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(checkedPrefix))
            content.checked.append(line.mid(2));
        else if (line.startsWith(uncheckedPrefix))
            content.unchecked.append(line.mid(2));
    }
    return content;
}

bool TypeMemory::write(const QString &folder, const QString &destination,
                       const QSet<QString> &checked, const QSet<QString> &unchecked, QString *error)
{
    QString text = destination + QLatin1Char('\n');
    appendGroup(text, checkedPrefix, checked);
    appendGroup(text, uncheckedPrefix, unchecked);
    QStringEncoder encode(QStringConverter::System);
    return SmallFile::write(filePath(folder), encode(text), QIODevice::Text, error);
}
