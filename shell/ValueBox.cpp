#include "ValueBox.h"

#include "EdgeBox.h"

#include <QAccessible>
#include <QPainter>

ValueBox::ValueBox(const QString &name, const QString &spokenName, QWidget *parent)
    : QWidget(parent), m_spokenName(spokenName)
{
    setObjectName(name);
}

void ValueBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void ValueBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Disabled, as nothing is typed here; but the values are the point of the
    // window, and the style's dimmed grey on cyan is too faint at this size.
    EdgeBox::paintValue(p, this, m_text, isEnabled() ? palette().color(QPalette::Text) : QColor(0x40, 0x40, 0x40));
}
