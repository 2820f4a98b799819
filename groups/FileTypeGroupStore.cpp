#include "FileTypeGroupStore.h"

#include "companion/Downloader.h"
#include "core/SmallFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringConverter>
#include <QUrl>

QString FileTypeGroupStore::fileName() { return QStringLiteral("FileTypeGroup"); }

void FileTypeGroupStore::load()
{
    groupMap.clear();
    // A missing file is an ordinary state: the download failed or has not run.
    QByteArray bytes;
    if (SmallFile::read(fileName(), &bytes))
        groupMap = parse(bytes);
}

bool FileTypeGroupStore::save(QString *error)
{
    QString text;
    for (auto it = groupMap.cbegin(); it != groupMap.cend(); ++it)
        text += it.key() + QLatin1Char('=') + oneLine(it.value()) + QLatin1String("\r\n");
    QStringEncoder encode(QStringConverter::System);
    return SmallFile::write(fileName(), encode(text), {}, error);
}

QMap<QString, QString> FileTypeGroupStore::groups() const { return groupMap; }

void FileTypeGroupStore::rename(const QString &oldName, const QString &newName)
{
    if (groupMap.contains(oldName))
        groupMap.insert(newName, groupMap.take(oldName));
}

void FileTypeGroupStore::setTypes(const QString &name, const QString &types)
{
    groupMap.insert(name, types);
}

void FileTypeGroupStore::remove(const QString &name) { groupMap.remove(name); }

void FileTypeGroupStore::fetchIfMissing(const QUrl &address)
{
    if (QFile::exists(fileName()))
        return;
    Mv::Downloader downloader(true);
    // A network's login page answered in place of the store would stay for good.
    downloader.setAccept(isGroupStore);
    downloader.doDownload(address);
}

QString FileTypeGroupStore::oneLine(const QString &types)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    static const QRegularExpression outerBreaks(QStringLiteral("^[\r\n]+|[\r\n]+$"));
    QString line = types;
    line.remove(outerBreaks);
    line.replace(lineBreak, QStringLiteral(";"));
    return line;
}
