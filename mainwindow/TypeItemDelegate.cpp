#include "TypeItemDelegate.h"

#include <QApplication>
#include <QListWidgetItem>
#include <QPainter>

namespace {
// Room between the type and its figures.
const int gap = 12;

bool hasFigures(const QModelIndex &index)
{
    return index.data(TypeItemDelegate::FilesRole).isValid();
}
} // namespace

TypeStatistics::Figures TypeItemDelegate::figures(const QModelIndex &index)
{
    return {index.data(FilesRole).toLongLong(), index.data(BytesRole).toLongLong(),
            index.data(SizedFilesRole).toLongLong()};
}

void TypeItemDelegate::setFigures(QListWidgetItem *item, const TypeStatistics::Figures &figures)
{
    item->setData(FilesRole, figures.files);
    item->setData(BytesRole, figures.bytes);
    item->setData(SizedFilesRole, figures.sizedFiles);
    item->setToolTip(TypeStatistics::figuresText(figures));
}

void TypeItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    if (!hasFigures(index))
        return QStyledItemDelegate::paint(painter, option, index);

    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    const QString text = TypeStatistics::figuresText(figures(index));
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    const int figuresWidth = opt.fontMetrics.horizontalAdvance(text);
    // The type gives way to the figures, elided as the view would elide it.
    opt.text = opt.fontMetrics.elidedText(opt.text, opt.textElideMode,
                                          qMax(0, textRect.width() - figuresWidth - gap));
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    painter->save();
    const QPalette::ColorGroup group
            = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (opt.state & QStyle::State_Selected)
        painter->setPen(opt.palette.color(group, QPalette::HighlightedText));
    else
        painter->setPen(opt.palette.color(group, QPalette::Text));
    painter->setFont(opt.font);
    painter->drawText(textRect, Qt::AlignRight | Qt::AlignVCenter, text);
    painter->restore();
}

QSize TypeItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (hasFigures(index))
        size.rwidth() += gap
                + option.fontMetrics.horizontalAdvance(TypeStatistics::figuresText(figures(index)));
    return size;
}
