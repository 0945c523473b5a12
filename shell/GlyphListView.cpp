#include "GlyphListView.h"

#include "GlyphListModel.h"
#include "OleColor.h"
#include "matrix/MatrixState.h"

#include <QDropEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int Cell = 3; // pixels a cell, its outline shared with its neighbour's
constexpr int PictureSide = 8 * Cell + 1;

class PictureDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        // Room for the number and, under it, a name of a dozen characters.
        return {std::max(PictureSide + 40, option.fontMetrics.averageCharWidth() * 13),
                PictureSide + 6 + 2 * option.fontMetrics.height()};
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem text = option;
        initStyleOption(&text, index);
        // The selection marks the current glyph; the picture stands above the text.
        const QRect picture(option.rect.center().x() - PictureSide / 2, option.rect.top() + 3, PictureSide,
                            PictureSide);
        text.rect.setTop(picture.bottom() + 2);
        text.displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
        text.features &= ~QStyleOptionViewItem::HasDecoration;
        if (option.state & QStyle::State_Selected)
            p->fillRect(option.rect, option.palette.highlight());
        text.widget->style()->drawControl(QStyle::CE_ItemViewItem, &text, p, text.widget);
        const quint64 bits = index.data(GlyphListModel::Picture).value<quint64>();
        const quint64 area = index.data(GlyphListModel::Area).value<quint64>();
        const QColor on = OleColor::toQColor(MatrixState::cellOnColor, option.palette);
        const QColor off = OleColor::toQColor(MatrixState::cellOffColor, option.palette);
        p->fillRect(picture, option.palette.color(QPalette::Dark));
        for (int k = 0; k < 64; ++k) {
            const QRect cell(picture.left() + 1 + k % 8 * Cell, picture.top() + 1 + k / 8 * Cell, Cell - 1, Cell - 1);
            // Cells beyond the layout's size are darker, so that a lit one there shows.
            p->fillRect(cell, bits >> k & 1 ? on : area >> k & 1 ? off : off.darker(125));
        }
    }
};

} // namespace

GlyphListView::GlyphListView(QWidget *parent) : QListView(parent)
{
    setObjectName(QStringLiteral("glyphList"));
    setViewMode(QListView::IconMode);
    setMovement(QListView::Snap);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setWrapping(true);
    setSpacing(2);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setItemDelegate(new PictureDelegate(this));
    setAccessibleName(tr("Glyphs"));
}

void GlyphListView::dropEvent(QDropEvent *event)
{
    const QModelIndex from = currentIndex();
    QModelIndex to = indexAt(event->position().toPoint());
    if (event->source() != this || !from.isValid()) {
        event->ignore();
        return;
    }
    const int target = to.isValid() ? to.row() : model()->rowCount() - 1;
    // The view moves nothing itself: the editor does, as one step of undo.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (target != from.row())
        emit moveRequested(from.row(), target);
}
