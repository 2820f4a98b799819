#pragma once

#include "PickItem.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class QIODevice;

// The account of one pick: an outcome for every selected file, and the files the scan left
// out, so that the totals add up to what is in the source. Copied files are only counted;
// every other outcome keeps a row, so a pick of a million files keeps the account small.
class PickReport
{
    Q_DECLARE_TR_FUNCTIONS(PickReport)

public:
    using Outcome = PickItem::Outcome;
    static constexpr Outcome Copied = PickItem::Copied, Same = PickItem::Same,
                             Different = PickItem::Different, Failed = PickItem::Failed,
                             NotReached = PickItem::NotReached, LeftOut = PickItem::LeftOut;
    static const int outcomeCount = LeftOut + 1;
    using Counts = std::array<int, outcomeCount>;
    using Row = PickItem;

    // Counts the file, and keeps its record unless it was simply copied.
    void add(const PickItem &item);
    // Room for that many more rows, so that a list of a million grows in one step.
    void reserve(qsizetype rows) { list.reserve(list.size() + rows); }
    void add(Outcome outcome, const QString &source, const QString &target,
             const QString &reason = QString());
    // What the walk could not read or decode, by path.
    void addLeftOut(const QStringList &paths, const QString &reason);
    void setStopped() { stopped = true; }
    void setDeclined() { declined = true; }
    // The pick removed what an interrupted earlier pick left in the destination.
    void setLeftoversRemoved(qsizetype files, qint64 bytes);
    // The connection to the destination dropped during the pick: whether the files in flight
    // arrived is not known.
    void setConnectionLost() { connectionLost = true; }
    // The source folder's memory of this pick could not be written to path.
    void setMemoryNotSaved(const QString &path, const QString &reason)
    {
        memoryPath = path;
        memoryReason = reason;
    }

    // The journal of the pick, where every row is kept, and whether it could not be written.
    void setJournal(const QString &path) { journalPath = path; }
    void setJournalNotSaved(const QString &path, const QString &reason)
    {
        journalPath.clear();
        journalFailure = path;
        journalReason = reason;
    }
    QString journal() const { return journalPath; }
    void setVerified(bool on) { verified = on; }

    int count(Outcome outcome) const { return counts[outcome]; }
    bool declinedPick() const { return declined; }
    const QList<Row> &rows() const { return list; }
    // Outcomes per file type, for the types that had a file in the pick.
    const QHash<QString, Counts> &typeCounts() const { return perType; }

    // The closing message: "Finished." in front when every file was copied, "Stopped." when
    // a stop left some unreached, then what was copied and what became of the rest.
    QString message() const;
    static QString outcomeText(Outcome outcome);
    // Outcome, reason, source and target: the columns of the details and of the CSV.
    static QStringList columnTitles();
    // One line per row, as the details show them; false when it could not be written.
    bool writeCsv(QIODevice *device) const;
    static QByteArray csvLine(const Row &row);

private:
    void countType(const QString &path, Outcome outcome);

    Counts counts {};
    QHash<QString, Counts> perType;
    QList<Row> list;
    qint64 bytes = 0;
    qsizetype leftoverFiles = 0;
    qint64 leftoverBytes = 0;
    bool stopped = false;
    bool declined = false;
    bool connectionLost = false;
    QString memoryPath;
    QString memoryReason;
    QString journalPath;
    QString journalFailure;
    QString journalReason;
    bool verified = false;
};
