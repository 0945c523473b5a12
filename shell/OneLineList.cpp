#include "OneLineList.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

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
    fitEntryWidth();
}

void OneLineList::changeEvent(QEvent *event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitEntryWidth();
}

// A substitute face may run wider than the design's (Windows' bitmap MS Sans
// Serif has no 11 px size and is drawn at 13): grow to the right rather than
// cut an entry short. Where every entry fits, the box keeps its size.
void OneLineList::fitEntryWidth()
{
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    int needed = 0;
    for (int i = 0; i < count(); ++i)
        needed = std::max(needed, fontMetrics().horizontalAdvance(item(i)->text()) + margins);
    const int missing = needed - viewport()->width();
    if (missing > 0)
        resize(width() + missing, height());
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
    fitEntryWidth();
}

void OneLineList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListWidget::currentChanged(current, previous);
    if (current.isValid())
        scrollTo(current, QAbstractItemView::PositionAtTop);
}
