#pragma once

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Hidden folders in which copies wait for their names where a disk has no unnamed files, and
// the only place where anything of ours but a finished copy ever stands. Each is named
// ".trovella-staging-" and 16 hex digits and holds a lease: a file its owner keeps locked and
// rewrites every half minute, naming the machine and process. Another pick can so tell a
// folder in use from one that a killed or cut-off pick left behind, and never takes a folder
// of the user's, whatever its name.
class Staging
{
public:
    Staging() = default;
    // Removes its folders, which hold nothing but their leases by then.
    ~Staging();
    Q_DISABLE_COPY(Staging)

    // A staging folder right below parent that no copy is writing in, made when none is idle;
    // empty, with the errno of the failure in error, when none can be made.
    QByteArray take(const QByteArray &parent, int *error);
    void release(const QByteArray &folder);
    // Removes the folders made so far; take() makes new ones.
    void clear();
    // A name for a new file in a staging folder.
    static QByteArray newName(const QByteArray &folder);

    struct Removed
    {
        qsizetype files = 0;
        qint64 bytes = 0;
    };
    // Removes the staging folders in folder and in its direct subfolders whose owner is gone:
    // its lock is free and its process is dead on this machine, or its lease has not been
    // rewritten for several minutes (another machine's pick on a share). Everything else stays.
    static Removed sweep(const QString &folder);
    static bool isStagingName(const char *name);
    // Whether the folder at path, of a staging folder's name, holds a lease of ours: a scan
    // lists none of it, as it lists no memory file.
    static bool isOurs(const QByteArray &path);

private:
    struct Folder
    {
        QByteArray path;
        QByteArray parent;
        int lease = -1;
        bool idle = false;
    };
    QByteArray make(const QByteArray &parent, int *error);
    void keepLeases();

    std::mutex lock;
    std::vector<Folder> folders;
    std::thread leaseKeeper;
    std::condition_variable wake;
    bool stopping = false;
};
