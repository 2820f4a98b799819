#pragma once

#include "DirWalker.h"

#include <QString>

class QStatusBar;

namespace Mv {

// The recursive folder walk the window calls.
class Dir
{
public:
    // Makes files the list of every file found under folder, at any depth. Returns false when
    // the walk was cancelled or a folder could not be read. arrived, when given, sees the files
    // as they come, on the walk's threads and one call at a time. Entries under the rules
    // leftOut are set aside, in the report.
    static bool GetAllFiles(QString folder, FileList &files, QStatusBar *status,
                            const DirWalker::Arrival &arrived = {}, Clutter::Rules leftOut = {});
    // Makes a running walk return promptly; without one it does nothing.
    static void Cancel();
    // The account of the walk that returned last.
    static WalkReport lastReport();
};

} // namespace Mv
