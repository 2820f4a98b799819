#include "PickReport.h"

#include "FileType.h"
#include "Texts.h"

#include <QIODevice>
#include <QLocale>

namespace {
QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
} // namespace

void PickReport::countType(const QString &path, Outcome outcome)
{
    ++counts[outcome];
    ++perType[fileSuffix(path).toString().toLower()][outcome];
}

void PickReport::add(const PickItem &item)
{
    countType(item.source, item.outcome);
    if (item.outcome == Copied)
        bytes += item.bytes;
    else
        list.append(item);
    if (item.unsettled)
        connectionLost = true;
}

void PickReport::add(Outcome outcome, const QString &source, const QString &target,
                     const QString &reason)
{
    add(PickItem {outcome, source, target, reason});
}

void PickReport::addLeftOut(const QStringList &paths, const QString &reason)
{
    // Their type is not known: a folder that could not be read may hold any.
    counts[LeftOut] += int(paths.size());
    for (const QString &path : paths)
        list.append(PickItem {LeftOut, path, QString(), reason});
}

void PickReport::setLeftoversRemoved(qsizetype files, qint64 size)
{
    leftoverFiles = files;
    leftoverBytes = size;
}

QString PickReport::message() const
{
    if (declined)
        return tr("Nothing was copied.");
    const auto sizeText = [](qint64 size) { return size == 1 ? tr("1 byte") : Texts::size(size); };
    const int copied = counts[Copied];
    const int there = counts[Same] + counts[Different];
    const int failed = counts[Failed];
    const int notReached = counts[NotReached];
    const int leftOut = counts[LeftOut];
    const bool clean = !stopped && !connectionLost && there + failed + notReached == 0;
    QStringList parts;
    if (stopped)
        parts << tr("Stopped.");
    else if (clean)
        parts << tr("Finished.");
    if (copied > 0 && verified)
        parts << Texts::plural<PickReport>(copied, QT_TR_NOOP("Copied and verified 1 file (%1)."),
                                           QT_TR_N_NOOP("Copied and verified %Ln files (%1)."))
                         .arg(sizeText(bytes));
    else if (copied > 0)
        parts << Texts::plural<PickReport>(copied, QT_TR_NOOP("Copied 1 file (%1)."),
                                           QT_TR_N_NOOP("Copied %Ln files (%1)."))
                         .arg(sizeText(bytes));
    else if (!clean)
        parts << tr("No file was copied.");
    if (there == 1)
        parts << (counts[Different] ? tr("1 was already there (different).")
                                    : tr("1 was already there."));
    else if (there > 1)
        parts << (counts[Different] ? tr("%Ln were already there (%1 different).", nullptr, there)
                                              .arg(QLocale().toString(counts[Different]))
                                    : tr("%Ln were already there.", nullptr, there));
    if (failed > 0)
        parts << Texts::plural<PickReport>(failed, QT_TR_NOOP("1 could not be copied."),
                                           QT_TR_N_NOOP("%Ln could not be copied."));
    if (notReached > 0)
        parts << Texts::plural<PickReport>(notReached, QT_TR_NOOP("1 was not reached."),
                                           QT_TR_N_NOOP("%Ln were not reached."));
    if (leftOut > 0)
        parts << Texts::plural<PickReport>(leftOut, QT_TR_NOOP("1 was left out by the scan."),
                                           QT_TR_N_NOOP("%Ln were left out by the scan."));
    if (leftoverFiles > 0)
        parts << Texts::plural<PickReport>(
                         int(leftoverFiles),
                         QT_TR_NOOP("Removed 1 leftover file of an interrupted pick, %1."),
                         QT_TR_N_NOOP("Removed %Ln leftover files of an interrupted pick, %1."))
                         .arg(sizeText(leftoverBytes));
    if (connectionLost)
        parts << tr("The connection to the destination was lost: whether the last files "
                    "arrived is not known. Pick again to settle them.");
    if (!memoryPath.isEmpty())
        parts << tr("The choices for this folder could not be saved in %1: %2.")
                         .arg(memoryPath, memoryReason);
    if (!journalFailure.isEmpty())
        parts << tr("The record of this pick could not be written to %1: %2. The files were "
                    "copied all the same; the details list only what was not simply copied, "
                    "and the pick cannot be undone.")
                         .arg(journalFailure, journalReason);
    // Sentences are set apart by a space, except after a full-width stop, as Chinese ends them.
    QString text;
    for (const QString &part : std::as_const(parts)) {
        if (!text.isEmpty() && !text.endsWith(QChar(0x3002)))
            text += QLatin1Char(' ');
        text += part;
    }
    return text;
}

QString PickReport::outcomeText(Outcome outcome)
{
    switch (outcome) {
    case Copied:
        return tr("Copied");
    case Same:
        return tr("Already there, same");
    case Different:
        return tr("Already there, different");
    case Failed:
        return tr("Could not be copied");
    case NotReached:
        return tr("Not reached");
    case LeftOut:
        return tr("Left out by the scan");
    }
    return QString();
}

QStringList PickReport::columnTitles()
{
    return {tr("Outcome"), tr("Reason"), tr("Source"), tr("Target")};
}

bool PickReport::writeCsv(QIODevice *device) const
{
    QByteArray bytes = columnTitles().join(QLatin1Char(',')).toUtf8() + '\n';
    for (const Row &row : list)
        bytes += csvLine(row);
    return device->write(bytes) == bytes.size();
}

QByteArray PickReport::csvLine(const Row &row)
{
    return (csvField(outcomeText(row.outcome)) + QLatin1Char(',') + csvField(row.reason)
            + QLatin1Char(',') + csvField(row.source) + QLatin1Char(',') + csvField(row.target)
            + QLatin1Char('\n'))
            .toUtf8();
}
