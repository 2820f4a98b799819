#pragma once

#include "core/Journal.h"
#include "core/PickReport.h"
#include "ui_PickReportDialog.h"

#include <QDialog>
#include <QThread>

#include <memory>

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
    ~PickReportDialog() override;

    // Closes the dialog, unless an undo is under way.
    void reject() override;

private:
    void showCounts(const PickReport::Counts &counts,
                    const QHash<QString, PickReport::Counts> &typeCounts);
    void journalIndexed();
    void showOutcome(int index);
    void save();
    void saveChecksums();
    void undo();
    void undoFinished();

    Ui_PickReportDialog ui;
    PickReport report;
    QString journal;
    QString csvName;
    PickReportModel *model;
    std::unique_ptr<QThread> undoing;
    Journal::Undone undone;
    // The buttons an undo switched off while it runs.
    QList<QPushButton *> held;
};
