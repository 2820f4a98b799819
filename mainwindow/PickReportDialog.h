#pragma once

#include "core/PickReport.h"
#include "ui_PickReportDialog.h"

#include <QDialog>
#include <QSortFilterProxyModel>

class PickReportModel;

// One row per file of a pick that was not simply copied, filtered by outcome, with counts per
// outcome and per file type; Save… writes the rows as CSV, proposing csvName.
class PickReportDialog : public QDialog
{
    Q_OBJECT

public:
    PickReportDialog(const PickReport &report, const QString &csvName, QWidget *parent = nullptr);

private:
    void showOutcome(int index);
    void save();

    Ui_PickReportDialog ui;
    PickReport report;
    QString csvName;
    PickReportModel *model;
    QSortFilterProxyModel proxy;
};
