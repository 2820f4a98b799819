#pragma once

#include "PickItem.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <functional>
#include <vector>

class QIODevice;

// The record of one pick kept on disk: a head line naming the source and the target folder,
// then one line a selected file (outcome, size, modification time, checksum, source, target,
// reason) and one a folder the pick made, appended as the pick goes. It lives in the user's
// data folder ("journals"), one file a pick; a crash keeps every line up to the file in hand.
// From it come the details of any size, the CSV, the checksum list and the undo.
class Journal
{
    Q_DECLARE_TR_FUNCTIONS(Journal)

public:
    struct Head
    {
        QString source;
        QString target;
        QDateTime started;
        bool verified = false;
    };

    Journal() = default;
    ~Journal();
    Q_DISABLE_COPY(Journal)

    // Starts a journal in folder(); false, with the reason in error(), when it cannot be.
    bool open(const Head &head);
    // Keeps the lines in a buffer written in large appends: at once when force is set, as
    // after a batch whose copies got their names, else when it is full or a while old.
    void add(const PickItem &item);
    void addFolder(const QString &path);
    void flush(bool force = true);
    // False when a line could not be written; the journal is then given up.
    bool ok() const { return file.isOpen() || failure.isEmpty(); }
    QString error() const { return failure; }
    QString path() const { return file.fileName(); }

    // Where the journals are kept, and the newest journal of picks from source ("" for none).
    static QString folder();
    static QString lastOf(const QString &source);
    // Removes the oldest journals beyond a count and a total size.
    static void prune(int keepCount = 100, qint64 keepBytes = qint64(1) << 30);
    static Head readHead(const QString &path);

    // A journal read for the details: where each row starts, its outcome, and the counts, made
    // in one pass that may run on any thread; rows are then read on demand.
    class Index
    {
    public:
        using Counts = std::array<int, PickItem::LeftOut + 1>;
        // False when the file cannot be read; cancel, when set, stops the pass.
        bool build(const QString &path, const std::atomic<bool> *cancel = nullptr);
        qsizetype size() const { return qsizetype(offsets.size()); }
        // The rows of one outcome, by number.
        const std::vector<quint32> &rowsOf(PickItem::Outcome outcome) const
        {
            return byOutcome[outcome];
        }
        PickItem row(qsizetype number) const;
        Head head;
        Counts counts {};
        QHash<QString, Counts> typeCounts;
        bool undone = false;

    private:
        QString path;
        std::vector<qint64> offsets;
        std::array<std::vector<quint32>, PickItem::LeftOut + 1> byOutcome;
        mutable QFile reader;
    };

    // Each row of the journal at path in turn; false when the file cannot be read.
    static bool forEach(const QString &path, const std::function<void(const PickItem &)> &row,
                        QStringList *folders = nullptr);
    // Every row as CSV, in the columns of the account; false when it could not be written.
    static bool writeCsv(const QString &path, QIODevice *device);
    // Writes the copied files' checksums as xxh128sum reads them, paths relative to the pick's
    // target; names that hold a line break cannot be written so and count in skipped. Returns
    // the lines written, or -1 when the journal cannot be read or the device written.
    static qsizetype writeChecksums(const QString &path, QIODevice *device, int *skipped);

    struct Undone
    {
        int files = 0;
        int folders = 0;
        // Each file left, with the reason.
        QList<QPair<QString, QString>> left;
        bool readable = true;
    };
    // Removes the files the pick created that are as it left them, then the folders it made
    // that are empty, and marks the journal undone. Nothing else is touched. Any thread.
    static Undone undo(const QString &path);

private:
    void write(const QByteArray &line);

    QFile file;
    QByteArray buffer;
    qint64 lastFlush = 0;
    QString failure;
};
