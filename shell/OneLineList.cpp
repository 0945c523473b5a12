#include "OneLineList.h"

#include <QScrollBar>

OneLineList::OneLineList(const QString &name, QWidget *parent) : QListWidget(parent)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setTextElideMode(Qt::ElideRight);
    setWordWrap(false);
}

int OneLineList::selectedIndex() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void OneLineList::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    fitEntryHeight();
}

// Every entry takes the whole viewport height, so one entry shows at a time
// and the scroll bar steps by whole entries.
void OneLineList::fitEntryHeight()
{
    const int h = viewport()->height();
    for (int i = 0; i < count(); ++i)
        item(i)->setSizeHint(QSize(-1, h));
    doItemsLayout();
}

void OneLineList::rowsInserted(const QModelIndex &parent, int start, int end)
{
    QListWidget::rowsInserted(parent, start, end);
    fitEntryHeight();
}

void OneLineList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListWidget::currentChanged(current, previous);
    if (current.isValid())
        scrollTo(current, QAbstractItemView::PositionAtTop);
}
