#pragma once

#include <functional>

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// Copies files to new names and never replaces anything already there. On Linux each copy
// is written to an unnamed file first; a batch of them is made durable with one sync of the
// file system and only then linked to the target names, so a target name is either absent
// or holds the whole file. Target folders are made as needed, each at most once.
class FileCopier
{
public:
    enum Outcome { Copied, AlreadyExists, Failed };
    struct Result
    {
        QString source;
        QString target;
        Outcome outcome = Failed;
        QString error;
    };

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

    // Writes each copy under a hidden temporary name instead of an unnamed file, as for
    // file systems without unnamed files; for tests.
    void setUseTemporaryNames(bool on) { useTemporaryNames = on; }
    // Called every few megabytes while a large file is copied and every few milliseconds while
    // a batch is made durable, so a window can handle events.
    void setKeepResponsive(std::function<void()> callback) { keepResponsive = std::move(callback); }

private:
    std::function<void()> keepResponsive;
    struct Pending
    {
        qsizetype result;
        int fd;
        QByteArray temporaryName;
        quint64 device;
    };

    void settle(qsizetype result, Outcome outcome, int error = 0);
    int makeFolder(const QString &folder);
    int copyData(int in, int out);
    void commitBatch();
    void linkPending(const Pending &pending, int syncError);
    void removeLeftovers(const QByteArray &folder);

    QList<Result> results;
    QList<Pending> batch;
    QElapsedTimer batchAge;
    QHash<QString, int> folders;
    QByteArray buffer;
    bool useTemporaryNames = false;
    // When the copier was made, in nanoseconds since the epoch, and the folders it has
    // cleared of leftover temporaries since.
    qint64 started = 0;
    QSet<QByteArray> swept;
};
