#include "EdgeBox.h"

#include <QPainter>

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
    if (hasFocus())
        QLineEdit::paintEvent(event);
    QPainter p(this);
    if (!hasFocus()) {
        p.fillRect(rect(), palette().color(QPalette::Base));
        p.setFont(font());
        // The read-only boxes are disabled, but their values are the point of
        // the window: a dimmed grey on cyan is too faint to read at this size.
        p.setPen(isEnabled() ? palette().color(QPalette::Text) : QColor(0x40, 0x40, 0x40));
        const QRect inner = rect().adjusted(1, 0, -1, 0);
        const QString shown = displayText();
        const int needed = fontMetrics().horizontalAdvance(shown);
        if (needed <= inner.width()) {
            p.drawText(inner, Qt::AlignCenter, shown);
        } else {
            const qreal squeeze = qMax(MinSqueeze, qreal(inner.width()) / needed);
            p.setClipRect(inner);
            p.translate(inner.left(), 0);
            p.scale(squeeze, 1.0);
            p.drawText(QRectF(0, inner.top(), needed, inner.height()), Qt::AlignLeft | Qt::AlignVCenter, shown);
            p.resetTransform();
            p.setClipping(false);
        }
    }
    // The one-pixel frame as four fills: the same pixels as stroking it, for
    // a fraction of the work.
    const QColor mid = palette().color(QPalette::Mid);
    const QRect r = rect();
    p.fillRect(r.left(), r.top(), r.width(), 1, mid);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, mid);
    p.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, mid);
    p.fillRect(r.right(), r.top() + 1, 1, r.height() - 2, mid);
}
