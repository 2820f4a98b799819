#include "PickReportModel.h"

PickReportModel::PickReportModel(const PickReport &report, QObject *parent)
    : QAbstractTableModel(parent)
    , rows(report.rows())
{ }

int PickReportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int PickReportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant PickReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const PickReport::Row &row = rows.at(index.row());
    if (role == OutcomeRole)
        return int(row.outcome);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    if (index.column() == 0)
        return PickReport::outcomeText(row.outcome);
    return index.column() == 1 ? row.reason : index.column() == 2 ? row.source : row.target;
}

QVariant PickReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return section >= 0 && section < 4 ? PickReport::columnTitles().at(section) : QVariant();
}
