#pragma once

#include "core/PickReport.h"

#include <QAbstractTableModel>

// The rows of a pick's account for a view: outcome, reason, source and target.
class PickReportModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum { OutcomeRole = Qt::UserRole };

    explicit PickReportModel(const PickReport &report, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<PickReport::Row> rows;
};
