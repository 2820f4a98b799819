#pragma once

#include <QFileInfo>
#include <QList>
#include <QString>

class QStatusBar;

namespace Mv {

// What the last walk met besides the files it listed.
struct WalkReport
{
    bool cancelled = false;
    int unreadableFolders = 0;
    int undecodableNames = 0;
};

// The recursive folder walk the window calls.
class Dir
{
public:
    // Appends one entry per file found under folder, at any depth. Returns false when the
    // walk was cancelled or a folder could not be read.
    static bool GetAllFiles(QString folder, QList<QFileInfo> &files, QStatusBar *status);
    // Makes a running walk return promptly; without one it does nothing.
    static void Cancel();
    // The account of the walk that returned last.
    static WalkReport lastReport();
};

} // namespace Mv
