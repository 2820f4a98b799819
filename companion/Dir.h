#pragma once

#include "DirWalker.h"

#include <QFileInfo>
#include <QList>
#include <QString>

class QStatusBar;

namespace Mv {

// The recursive folder walk the window calls.
class Dir
{
public:
    // Appends one entry per file found under folder, at any depth. Returns false when the
    // walk was cancelled or a folder could not be read. arrived, when given, sees the files as
    // they come, with their index in files, on the walk's threads and one call at a time.
    // Entries under the rules leftOut are set aside, in the report.
    static bool GetAllFiles(QString folder, QList<QFileInfo> &files, QStatusBar *status,
                            const DirWalker::Arrival &arrived = {}, Clutter::Rules leftOut = {});
    // Makes a running walk return promptly; without one it does nothing.
    static void Cancel();
    // The account of the walk that returned last.
    static WalkReport lastReport();
};

} // namespace Mv
