#pragma once

#include <functional>

#include <QCoreApplication>
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
    Q_DECLARE_TR_FUNCTIONS(FileCopier)

public:
    // AlreadyExists: the file there has the source's size and modification time (a copy keeps
    // the time); ExistsDifferent: it has not. Either way it is left alone.
    enum Outcome { Copied, AlreadyExists, ExistsDifferent, Failed };
    struct Result
    {
        QString source;
        QString target;
        Outcome outcome = Failed;
        // The system's words for a failure, for the log.
        QString error;
        // The same in plain words, for the user.
        QString reason;
        qint64 bytes = 0;
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
    // Bytes written so far by this copier, also in the middle of a large file.
    qint64 bytesDone() const { return bytesWritten; }
    // What a failure with this errno means to a user; reading tells the source's side.
    static QString plainReason(int error, bool reading);

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

    void settle(qsizetype result, Outcome outcome, int error = 0, bool reading = false);
    void settleExisting(qsizetype result, const QByteArray &target, qint64 size, qint64 mtime,
                        long mtimeNanoseconds);
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
    qint64 bytesWritten = 0;
};
