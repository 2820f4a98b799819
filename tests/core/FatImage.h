#pragma once

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// A small FAT file system on folder for the life of the object: a loop mount where the kernel
// has vfat, else fusefat. Needs root and mkfs.vfat (dosfstools); reason says why it failed.
class FatImage
{
public:
    FatImage(const QString &image, const QString &folder)
        : folder(folder)
    {
        QDir().mkpath(folder);
        if (QStandardPaths::findExecutable(QStringLiteral("mkfs.vfat")).isEmpty()) {
            reason = QStringLiteral("mkfs.vfat is missing (apt-get install dosfstools)");
            return;
        }
        if (run("truncate", {"-s", "8M", image}) != 0
            || run("mkfs.vfat", {"-n", "STICK", image}) != 0) {
            reason = QStringLiteral("could not make a FAT image");
            return;
        }
        if (run("mount", {"-o", "loop", image, folder}) == 0) {
            unmount = "umount";
            return;
        }
        if (!QStandardPaths::findExecutable(QStringLiteral("fusefat")).isEmpty()
            && run("fusefat", {"-o", "rw+", image, folder}) == 0) {
            unmount = "fusermount";
            return;
        }
        reason = QStringLiteral("no FAT mount here: the kernel lacks vfat or we are not root, "
                                "and fusefat is not installed");
    }
    ~FatImage()
    {
        if (unmount == "umount")
            run("umount", {folder});
        else if (unmount == "fusermount")
            run("fusermount", {"-u", folder});
    }
    Q_DISABLE_COPY(FatImage)

    bool mounted() const { return !unmount.isEmpty(); }
    QString reason;

private:
    static int run(const char *program, const QStringList &arguments)
    {
        QProcess process;
        // Failures are told by the exit code; fusefat talks even when it works.
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QString::fromLatin1(program), arguments);
        if (!process.waitForFinished(20000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString folder;
    QString unmount;
};
