#pragma once

#include "Disk.h"
#include "Naming.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QPair>

#include <chrono>
#include <functional>
#include <future>
#include <vector>

class QThreadPool;

// Copies written in full but not yet named, made durable together and then named. One sync of
// each disk that syncs whole makes the data of the whole batch durable before any name, and
// the names of the batches before it; on other disks each copy was synced as it was written,
// and the folders of the new names are synced after the links. The names of the last batches
// become durable with syncNames().
class Batch
{
public:
    struct Copy
    {
        // The copier's index of the copy's result.
        qsizetype result;
        int fd;
        // Empty for an unnamed file.
        QByteArray temporaryName;
        quint64 device;
        QByteArray target;
        QByteArray folder;
    };

    Batch(Disk::Kinds &disks, Naming &naming, const std::function<void()> &keepResponsive)
        : disks(disks)
        , naming(naming)
        , keepResponsive(keepResponsive)
    { }

    bool isEmpty() const { return copies.isEmpty(); }
    qsizetype firstResult() const { return copies.first().result; }
    // The copier's results before taken were handed out: the indices move down.
    void shift(qsizetype taken);
    // Adds a copy; true when the batch is due to be named, being full or old.
    bool add(const Copy &copy);
    // Makes the batch durable and names its copies, on the pool's threads where there are any,
    // while the window handles its events. Returns the result index of each copy with the errno
    // of its naming, and empties the batch.
    QList<QPair<qsizetype, int>> commit(QThreadPool *pool, int threads);
    // Names a copy on its own: synced itself, then named; returns 0 or an errno.
    int nameAlone(const Copy &copy);
    // Syncs the disks that got names since their last sync.
    void syncNames();

    // Runs work on a thread of its own while keepResponsive, if set, lets a window handle its
    // events.
    static void runAside(const std::function<void()> &work,
                         const std::function<void()> &keepResponsive);
    // Waits for work under way on another thread likewise.
    template<typename T>
    static void await(const std::future<T> &work, const std::function<void()> &keepResponsive)
    {
        while (work.wait_for(std::chrono::milliseconds(pollMilliseconds))
               != std::future_status::ready) {
            if (keepResponsive)
                keepResponsive();
        }
    }
    static constexpr qint64 pollMilliseconds = 5;

private:
    std::vector<int> link(QThreadPool *pool, int threads, const QHash<quint64, int> &syncErrors);
    // Any thread; returns 0 or the errno of the failure.
    int name(const Copy &copy, int syncError);

    Disk::Kinds &disks;
    Naming &naming;
    const std::function<void()> &keepResponsive;
    QList<Copy> copies;
    QElapsedTimer age;
    // A folder of each disk that got names since its last sync.
    QHash<quint64, QByteArray> unsynced;
};
