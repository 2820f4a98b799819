#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// "name=list" pairs in the map's order, so a failed comparison shows every group.
inline QStringList pairs(const QMap<QString, QString> &groups)
{
    QStringList result;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        result << it.key() + QLatin1Char('=') + it.value();
    return result;
}

// A temporary working directory for one test. A tmpfs mounted inside it is unmounted
// again, and the old working directory restored, when the folder goes.
class ScratchFolder
{
public:
    ScratchFolder() { current = dir.isValid() && QDir::setCurrent(dir.path()); }
    ~ScratchFolder()
    {
        QDir::setCurrent(QCoreApplication::applicationDirPath());
        if (!mountPoint.isEmpty() && !run(QStringLiteral("umount"), {mountPoint}))
            qWarning("Could not unmount %s", qUtf8Printable(mountPoint));
    }

    bool isValid() const { return current; }
    QString path() const { return dir.path(); }

    // Mounts a tmpfs on the new folder "mnt" and makes it the working directory; false
    // where mounting is not permitted.
    bool mountTmpfs(const QString &options)
    {
        const QString folder = dir.filePath(QStringLiteral("mnt"));
        if (!QDir().mkpath(folder)
            || !run(QStringLiteral("mount"), {"-t", "tmpfs", "-o", options, "tmpfs", folder}))
            return false;
        mountPoint = folder;
        return QDir::setCurrent(folder);
    }

    bool remount(const QString &options)
    {
        return run(QStringLiteral("mount"), {"-o", "remount," + options, mountPoint});
    }

private:
    static bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit
                && process.exitCode() == 0;
    }

    QTemporaryDir dir;
    QString mountPoint;
    bool current = false;
};
