#include "CellButton.h"

#include "OleColor.h"

#include <QAccessible>
#include <QPainter>

CellButton::CellButton(const MatrixState &state, int row, int col, QWidget *parent)
    : QAbstractButton(parent), m_state(state), m_row(row), m_col(col)
{
    setObjectName(QStringLiteral("r%1c%2").arg(row).arg(col));
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::TabFocus);
}

void CellButton::refresh()
{
    update();
    // The name and the checked state are asked for when a screen reader wants
    // them; without one listening, nothing is built for it.
    if (QAccessible::isActive()) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent state(this, checked);
        QAccessible::updateAccessibility(&state);
        QAccessibleEvent name(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&name);
    }
}

QString CellButton::spokenName() const
{
    return tr("Row %1, column %2, %3")
        .arg(QString::number(m_row + 1), QString::number(m_col + 1), isOn() ? tr("on") : tr("off"));
}

QSize CellButton::sizeHint() const
{
    return {17, 17};
}

void CellButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // The one-pixel outline as a fill behind the face: far cheaper than
    // stroking it, and the same pixels.
    p.fillRect(rect(), palette().color(QPalette::Dark));
    p.fillRect(rect().adjusted(1, 1, -1, -1), OleColor::toQColor(colorValue(), palette()));
    if (hasFocus()) {
        p.setPen(QPen(isOn() ? Qt::white : palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}
