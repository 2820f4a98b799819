#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "Batch.h"
#include "Disk.h"
#include "Folders.h"
#include "Naming.h"
#include "PickItem.h"
#include "Staging.h"

class QThreadPool;

// Copies files to new names and never replaces anything already there. On Linux each copy
// is written to an unnamed file first, or where the disk has none, to a file in a staging
// folder of its own; a batch of them is made durable (one sync of the file system, or where
// such a sync does not reach the storage, a sync of each file) and only then linked to the
// target names, so a target name is either absent or holds the whole file. finish() makes the
// names durable too. Target folders are made as needed, each at most once. Where every
// request waits for a round trip (network shares), several copies can be under way at once.
class FileCopier
{
    Q_DECLARE_TR_FUNCTIONS(FileCopier)

public:
    // One record a file; Same where the file already at the target has the source's size
    // and modification time (a copy keeps the time, as exactly as the disk can), and where the
    // disk keeps coarse times and the two differ within its step, only when the contents are
    // the same too.
    using Result = PickItem;

    FileCopier();
    ~FileCopier();
    Q_DISABLE_COPY(FileCopier)

    // Copies source (a symbolic link counts as the file it names) to target. The result may
    // wait until the batch holding the copy is finished.
    void copy(const QString &source, const QString &target);
    // Finishes the batch in hand.
    void finish();
    // The results that are final since the last call, in the order of the copies.
    QList<Result> takeResults();
    // Bytes written so far by this copier, also in the middle of a large file.
    qint64 bytesDone() const { return bytesWritten.load(std::memory_order_relaxed); }
    // What a failure with this errno means to a user; reading tells the source's side.
    static QString plainReason(int error, bool reading);
    // Removes what interrupted picks left in folder and its direct subfolders (see Staging);
    // the window's events run meanwhile.
    Staging::Removed removeLeftovers(const QString &folder);

    // Writes each copy to a file in a staging folder instead of an unnamed file, as for
    // file systems without unnamed files; for tests.
    void setUseTemporaryNames(bool on) { useTemporaryNames = on; }
    // How many copies may be under way at once on threads of their own: their results still
    // come in the order of the copies, and each copy is under way from its copy() until its
    // result is final. None (the default) copies in copy() itself.
    void setThreads(int count);
    // The folder every target lies below: as many threads as suit its disk, and where a copy
    // needs a staging folder, it is made right below this one, one for each copy under way,
    // so that a target folder sees nothing but the final link. A network share's client
    // changes one folder at a time, waiting a round trip for each.
    void setDestination(const QString &folder);
    // Called every few megabytes while a large file is copied and every few milliseconds while
    // a batch is made durable, so a window can handle events.
    void setKeepResponsive(std::function<void()> callback) { keepResponsive = std::move(callback); }
    // Hashes each source as it is read and reads each copy back from the disk before it gets
    // its name (see Verify); a file already there of the same size is compared by content.
    // At least two copies are then under way, so that one is read back while the next is
    // copied.
    void setVerify(bool on);
    // The folders made since the last call, parents first.
    QStringList takeNewFolders();

private:
    std::function<void()> keepResponsive;
    // A copy written but not yet named (fd open), or settled with its result.
    struct Prepared
    {
        Result result;
        Batch::Copy pending {-1, -1, QByteArray(), 0, QByteArray(), QByteArray()};
        int error = 0;
    };
    struct Running
    {
        qsizetype result;
        std::future<Prepared> prepared;
    };

    static void describe(Result &result, PickItem::Outcome outcome, int error = 0,
                         bool reading = false);
    void settle(qsizetype result, PickItem::Outcome outcome, int error = 0, bool reading = false);
    PickItem::Outcome existingOutcome(const QByteArray &target, const QString &source,
                                      QString *reason);
    // Runs on any thread: everything of a copy up to its link; staged lets the temporary wait
    // in a staging folder below the destination rather than in the target's folder.
    Prepared prepare(const QString &source, const QString &target, bool callsBack,
                     bool staged = true);
    int openTemporary(const QString &folder, unsigned mode, bool staged, Batch::Copy &pending);
    // Copies again with the temporary on the target's own disk: for a target on another disk
    // than its staging folder.
    int copyUnstaged(qsizetype result);
    void accept(qsizetype result, Prepared prepared);
    void waitForOldest();
    void commitBatch();

    QList<Result> results;
    bool useTemporaryNames = false;
    bool verifying = false;
    std::atomic<qint64> bytesWritten {0};
    int threads = 0;
    std::unique_ptr<QThreadPool> pool;
    std::deque<Running> running;
    QByteArray destination;
    Staging staging;
    // Shared by the copies under way and the links.
    Folders folders;
    Disk::Kinds disks;
    Naming naming;
    Batch batch {disks, naming, keepResponsive};
};
