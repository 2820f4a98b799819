#pragma once

#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

namespace Mv {

// What the last walk met besides the files it listed.
struct WalkReport
{
    bool cancelled = false;
    int unreadableFolders = 0;
    int undecodableNames = 0;
    // Their paths, with bytes that are not UTF-8 written as \xNN.
    QStringList unreadableFolderPaths;
    QStringList undecodablePaths;
};

// Lists every file under a folder, at any depth, on the thread that calls run(). Hidden files
// are listed; links to folders are not followed; a link to a file, or to nothing, is listed
// as a file. Folders that cannot be read and names that are not UTF-8 are counted, logged
// and left out. Another thread may read the progress and cancel.
class DirWalker
{
public:
    explicit DirWalker(const QString &folder);

    // Appends the files found. False when cancelled or when a folder could not be read.
    bool run(QList<QFileInfo> &files);
    // Makes run() return within one batch of directory entries.
    void cancel();
    // Files listed so far; safe to read from any thread while run() works.
    qsizetype filesFound() const;
    // Valid once run() has returned.
    WalkReport report() const;

private:
    bool cancelRequested() const;
    void folderUnreadable(const QByteArray &path, int error);
    void nameUndecodable(const QByteArray &path);

    QString root;
    WalkReport result;
    std::atomic<bool> cancelFlag {false};
    std::atomic<qsizetype> progress {0};
};

} // namespace Mv
