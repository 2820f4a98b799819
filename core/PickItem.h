#pragma once

#include <QByteArray>
#include <QString>

// What became of one selected file: one record, from the copier to the details and the CSV.
struct PickItem
{
    // Same: the file already at the target is the source's copy; Different: it is not. Either
    // way it was left alone.
    enum Outcome { Copied, Same, Different, Failed, NotReached, LeftOut };

    PickItem() = default;
    PickItem(Outcome outcome, const QString &source, const QString &target,
             const QString &reason = QString(), qint64 bytes = 0)
        : outcome(outcome)
        , source(source)
        , target(target)
        , reason(reason)
        , bytes(bytes)
    { }

    Outcome outcome = Failed;
    QString source;
    QString target;
    // In plain words for the user: why it failed, or how a file already there was judged.
    QString reason;
    // The system's words for a failure, for the log.
    QString error;
    qint64 bytes = 0;
    // The modification time given to the copy, in nanoseconds since the epoch.
    qint64 modified = 0;
    // The XXH3 128-bit hash of the contents, when the copy was verified (16 bytes).
    QByteArray checksum;
    // The connection to the share dropped while the copy was under way: whether it arrived
    // is not known.
    bool unsettled = false;
};
