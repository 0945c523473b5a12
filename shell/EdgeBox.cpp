#include "EdgeBox.h"

#include <QPainter>

#include <cmath>

namespace {
// Narrowest horizontal squeeze applied before the text is clipped instead.
constexpr qreal MinSqueeze = 0.6;
} // namespace

EdgeBox::EdgeBox(const QString &name, const QString &spokenName, QWidget *parent) : QLineEdit(parent)
{
    setObjectName(name);
    // A screen reader announces the box together with the value it shows.
    connect(this, &QLineEdit::textChanged, this,
            [this, spokenName](const QString &text) { setAccessibleName(spokenName + QStringLiteral(": ") + text); });
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    setAlignment(Qt::AlignCenter);
}

void EdgeBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void EdgeBox::paintEvent(QPaintEvent *event)
{
    if (hasFocus()) {
        QLineEdit::paintEvent(event); // being edited: the line edit's own text and cursor
        QPainter p(this);
        paintFrame(p, this);
        return;
    }
    QPainter p(this);
    paintValue(p, this, displayText(), palette().color(QPalette::Text));
}

void EdgeBox::paintValue(QPainter &p, const QWidget *box, const QString &text, const QColor &pen)
{
    const QRect r = box->rect();
    p.fillRect(r, box->palette().color(QPalette::Base));
    p.setFont(box->font());
    p.setPen(pen);
    const QRect inner = r.adjusted(1, 0, -1, 0);
    const int needed = box->fontMetrics().horizontalAdvance(text);
    // At a fractional scale the glyphs are drawn from a larger face than the
    // one measured, and can run a device pixel past their advance.
    const qreal dpr = box->devicePixelRatioF();
    const qreal room = inner.width() - (dpr == std::floor(dpr) ? 0.0 : 1.0);
    if (needed <= room) {
        p.drawText(inner, Qt::AlignCenter, text);
    } else {
        const qreal squeeze = qMax(MinSqueeze, room / needed);
        p.setClipRect(inner);
        p.translate(inner.left(), 0);
        p.scale(squeeze, 1.0);
        p.drawText(QRectF(0, inner.top(), needed, inner.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
        p.resetTransform();
        p.setClipping(false);
    }
    paintFrame(p, box);
}

void EdgeBox::paintFrame(QPainter &p, const QWidget *box)
{
    // The one-pixel frame as four fills: the same pixels as stroking it, for
    // a fraction of the work.
    const QRect r = box->rect();
    const QColor mid = box->palette().color(QPalette::Mid);
    p.fillRect(r.left(), r.top(), r.width(), 1, mid);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, mid);
    p.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, mid);
    p.fillRect(r.right(), r.top() + 1, 1, r.height() - 2, mid);
}
