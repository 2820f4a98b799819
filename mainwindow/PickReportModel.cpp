#include "PickReportModel.h"

PickReportModel::PickReportModel(const PickReport &report, const QString &journal, QObject *parent)
    : QAbstractTableModel(parent)
    , rows(report.rows())
{
    setOutcome(-1);
    if (journal.isEmpty())
        return;
    // A journal of a million rows takes a second to index: the window does not wait for it.
    building = std::make_shared<Journal::Index>();
    indexer.reset(QThread::create([index = building, journal, this] {
        if (!index->build(journal, &cancel))
            index->counts = {};
    }));
    connect(indexer.get(), &QThread::finished, this, &PickReportModel::indexed);
    indexer->start();
}

PickReportModel::~PickReportModel()
{
    if (indexer) {
        cancel = true;
        indexer->wait();
    }
}

void PickReportModel::indexed()
{
    // A journal that could not be read leaves the account's rows.
    if (cancel || building->size() == 0)
        return;
    beginResetModel();
    index = std::move(building);
    cache.clear();
    endResetModel();
    setOutcome(outcome);
    emit journalIndexed();
}

void PickReportModel::setOutcome(int chosen)
{
    beginResetModel();
    outcome = chosen;
    if (index) {
        shown = outcome < 0 ? nullptr : &index->rowsOf(PickItem::Outcome(outcome));
    } else {
        fromRows.clear();
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (outcome < 0 || rows.at(i).outcome == outcome)
                fromRows.push_back(quint32(i));
        }
        shown = &fromRows;
    }
    cache.clear();
    endResetModel();
}

PickReport::Row PickReportModel::rowAt(int row) const
{
    const qsizetype number = shown ? (*shown)[size_t(row)] : row;
    if (!index)
        return rows.at(number);
    if (const PickReport::Row *cached = cache.object(row))
        return *cached;
    const PickReport::Row read = index->row(number);
    cache.insert(row, new PickReport::Row(read));
    return read;
}

int PickReportModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int(shown ? shown->size() : size_t(index ? index->size() : 0));
}

int PickReportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant PickReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const PickReport::Row row = rowAt(index.row());
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
