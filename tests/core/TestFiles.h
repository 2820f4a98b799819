#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

// Real trees and file systems for the copy tests.
namespace TestFiles {

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The entries of the given kinds below folder, hidden ones too, relative to it and sorted.
inline QStringList entries(const QString &folder, QDir::Filters kinds = QDir::AllEntries)
{
    QStringList found;
    QDirIterator it(folder, kinds | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(QDir(folder).relativeFilePath(it.next()));
    found.sort();
    return found;
}

// A small tmpfs on folder for the life of the object; mounting needs root.
class Mount
{
public:
    Mount(const QString &folder, const QString &options)
        : folder(folder)
    {
        QDir().mkpath(folder);
        mounted = QProcess::execute(QStringLiteral("mount"),
                                    {"-t", "tmpfs", "-o", options, "tmpfs", folder})
                == 0;
    }
    ~Mount()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {folder});
    }
    Q_DISABLE_COPY(Mount)
    bool mounted = false;

private:
    QString folder;
};

} // namespace TestFiles
