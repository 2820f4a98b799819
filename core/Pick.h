#pragma once

#include "FileList.h"
#include "PickReport.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

// One pick, from the files chosen to the account of each: the check of the destination, the
// user's consent where it is short of room or names, the removal of what interrupted picks left
// there, the copies, a stop, and what the scan left out. A window gives the choice and the
// hooks and shows the account; everything runs on the caller's thread.
class Pick
{
    Q_DECLARE_TR_FUNCTIONS(Pick)

public:
    struct Choice
    {
        QString sourceFolder;
        // The destination as the user chose it, and the folder the files go to: the same, or
        // a folder in it named after the source.
        QString chosenFolder;
        QString targetFolder;
        // The scan's files, and the indexes of those to copy.
        FileList files;
        QList<qsizetype> selection;
        // Paths the scan left out, each list with its reason, for the account.
        QList<QPair<QStringList, QString>> leftOut;
        // Each copy is read back from the disk and compared before it gets its name.
        bool verify = false;
    };
    struct Hooks
    {
        // Asked when the destination is short of room or cannot store some names; true to go on.
        std::function<bool(const QString &question)> consent;
        // Whether the user asked the pick to stop.
        std::function<bool()> stopRequested;
        // Called very often, so that a window can handle its events: the bytes copied and the
        // bytes to copy, or -1 for both while the destination is checked.
        std::function<void(qint64 done, qint64 total)> keepResponsive;
        // Called once the copying begins, with the number of files it will hand over.
        std::function<void(qsizetype count)> copying;
        // Called as each file is handed over, with its target.
        std::function<void(const QString &target)> handedOver;
    };

    static PickReport run(const Choice &choice, const Hooks &hooks);
};
