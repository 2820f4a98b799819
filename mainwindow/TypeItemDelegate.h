#pragma once

#include "core/TypeStatistics.h"

#include <QStyledItemDelegate>

class QListWidgetItem;

// Draws a type list row as usual and, right-aligned beside the type, the count and size of
// its files, taken from the item's data; the item's text stays the bare type.
class TypeItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    enum Role { FilesRole = Qt::UserRole + 80, BytesRole, SizedFilesRole };

    using QStyledItemDelegate::QStyledItemDelegate;

    // The figures as the roles hold them.
    static TypeStatistics::Figures figures(const QModelIndex &index);
    // Stores figures in item, with a tooltip that repeats them.
    static void setFigures(QListWidgetItem *item, const TypeStatistics::Figures &figures);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
