#pragma once

#include "core/Journal.h"
#include "core/PickReport.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QThread>

#include <atomic>
#include <memory>

// The rows of a pick's account for a view: outcome, reason, source and target, of one outcome
// or all. They come from the pick's journal, indexed on a thread of its own and read as the
// view needs them; until then, and where there is no journal, from the account's own rows.
class PickReportModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum { OutcomeRole = Qt::UserRole };

    PickReportModel(const PickReport &report, const QString &journal, QObject *parent = nullptr);
    ~PickReportModel() override;

    // -1 for every row.
    void setOutcome(int outcome);
    // The journal's index once it is in, else null.
    const Journal::Index *journal() const { return index.get(); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void journalIndexed();

private:
    void indexed();
    PickReport::Row rowAt(int row) const;

    QList<PickReport::Row> rows;
    // The rows shown, by number, or all of them when null.
    const std::vector<quint32> *shown = nullptr;
    std::vector<quint32> fromRows;
    int outcome = -1;
    std::shared_ptr<Journal::Index> index;
    std::shared_ptr<Journal::Index> building;
    std::atomic<bool> cancel {false};
    std::unique_ptr<QThread> indexer;
    mutable QCache<int, PickReport::Row> cache {512};
};
