#pragma once

#include "core/PickReport.h"
#include "ui_PickReportDialog.h"

#include <QDialog>

class PickReportModel;

// One row per file of a pick, filtered by outcome, with counts per outcome and per file type;
// Save… writes the rows as CSV, proposing csvName. From the pick's journal, where there is
// one: Save checksums… writes the verified copies' checksums, and the last pick of a source
// folder can be undone.
class PickReportDialog : public QDialog
{
    Q_OBJECT

public:
    PickReportDialog(const PickReport &report, const QString &journal, const QString &csvName,
                     QWidget *parent = nullptr);

private:
    void showCounts(const PickReport::Counts &counts,
                    const QHash<QString, PickReport::Counts> &typeCounts);
    void journalIndexed();
    void showOutcome(int index);
    void save();
    void saveChecksums();
    void undo();

    Ui_PickReportDialog ui;
    PickReport report;
    QString journal;
    QString csvName;
    PickReportModel *model;
};
