#include "FileTypeGroupStore.h"

#include "companion/Downloader.h"
#include "mainwindow/SmallFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringConverter>
#include <QTextStream>
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
    const QString path = QDir::current().absoluteFilePath(fileName());
    // Written aside and renamed over the old file, so a failed write keeps every group.
    QSaveFile file(fileName());
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("Could not write %s: %s", qUtf8Printable(path),
                 qUtf8Printable(file.errorString()));
        if (error)
            *error = file.errorString();
        return false;
    }
    QTextStream out(&file);
    out.setEncoding(QStringConverter::System);
    for (auto it = groupMap.cbegin(); it != groupMap.cend(); ++it)
        out << it.key() << '=' << oneLine(it.value()) << "\r\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        qWarning("Could not write %s: %s", qUtf8Printable(path),
                 qUtf8Printable(file.errorString()));
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QMap<QString, QString> FileTypeGroupStore::groups() const { return groupMap; }

void FileTypeGroupStore::rename(const QString &oldName, const QString &newName)
{
    const auto it = groupMap.constFind(oldName);
    if (it == groupMap.constEnd())
        return;
    const QString types = it.value();
    groupMap.erase(it);
    groupMap.insert(newName, types);
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
