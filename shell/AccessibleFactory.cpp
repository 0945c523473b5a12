#include "AccessibleFactory.h"

#include "CellButton.h"
#include "ValueBox.h"

#include <QAccessibleWidget>

namespace {

// A check box, checked while the cell is on: screen readers announce its
// state with it, which a button that can be checked does not get. Pressing or
// toggling it is a click.
class CellAccessible : public QAccessibleWidget
{
public:
    explicit CellAccessible(CellButton *cell) : QAccessibleWidget(cell, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? cell()->spokenName() : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = cell()->isOn();
        return s;
    }

    QStringList actionNames() const override { return {pressAction(), toggleAction()}; }

    void doAction(const QString &name) override
    {
        if (name == pressAction() || name == toggleAction())
            cell()->click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    CellButton *cell() const { return static_cast<CellButton *>(widget()); }
};

class ValueBoxAccessible : public QAccessibleWidget
{
public:
    explicit ValueBoxAccessible(ValueBox *box) : QAccessibleWidget(box, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *box = static_cast<const ValueBox *>(widget());
        if (t == QAccessible::Name)
            return box->spokenName();
        if (t == QAccessible::Value)
            return box->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *create(const QString &, QObject *object)
{
    if (auto *cell = qobject_cast<CellButton *>(object))
        return new CellAccessible(cell);
    if (auto *box = qobject_cast<ValueBox *>(object))
        return new ValueBoxAccessible(box);
    return nullptr;
}

} // namespace

void AccessibleFactory::install()
{
    QAccessible::installFactory(create);
}
