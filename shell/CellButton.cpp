#include "CellButton.h"

#include "OleColor.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

CellButton::CellButton(const MatrixState &state, int row, int col, QWidget *parent)
    : QAbstractButton(parent), m_state(state), m_row(row), m_col(col)
{
    setObjectName(QStringLiteral("r%1c%2").arg(row).arg(col));
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::TabFocus);
}

void CellButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // The keyboard follows the click; Tab alone gives a cell the focus otherwise.
    setFocus(Qt::MouseFocusReason);
    if (m_strokes)
        m_strokes->beginStroke(m_row, m_col);
}

void CellButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event); // a quick second press toggles again
}

void CellButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_strokes)
        return;
    if (!(event->buttons() & Qt::LeftButton)) { // released where no cell heard of it
        m_strokes->endStroke();
        return;
    }
    // The pressed cell holds the mouse, so the pointer's place, not the
    // receiver, says which cell it is over.
    QWidget *top = window();
    const auto *over = qobject_cast<CellButton *>(top->childAt(top->mapFromGlobal(event->globalPosition().toPoint())));
    if (over && over->isVisibleTo(top))
        m_strokes->continueStroke(over->m_row, over->m_col);
}

void CellButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_strokes)
        m_strokes->endStroke();
}

void CellButton::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_F10 && mods == Qt::ShiftModifier) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, rect().center(), mapToGlobal(rect().center()));
        QCoreApplication::sendEvent(this, &menu);
        return;
    }
    int row = m_row, col = m_col;
    switch (event->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    default:
        QAbstractButton::keyPressEvent(event);
        return;
    }
    // The arrows walk the visible cells and stop at the edge, rather than
    // leaving the grid for another button.
    if (m_grid && row >= 0 && row < MatrixState::Size && col >= 0 && col < MatrixState::Size &&
        (*m_grid)[row][col]->isVisibleTo(window()))
        (*m_grid)[row][col]->setFocus(Qt::OtherFocusReason);
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
