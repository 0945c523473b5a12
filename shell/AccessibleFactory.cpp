#include "AccessibleFactory.h"

#include "CellButton.h"
#include "OutputPane.h"
#include "ValueBox.h"

#include <QAccessibleWidget>
#include <QFontInfo>
#include <QTextCursor>

#include <algorithm>
#include <tuple>

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

// The output pane as a plain text editor, whose edits go in as the pane's
// own do: weighed against its limits, U+FDD0 and U+FDD1 kept as themselves.
// Qt's view of a text editor would insert a screen reader's text past both.
class PaneAccessible : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface
{
public:
    explicit PaneAccessible(OutputPane *pane) : QAccessibleWidget(pane, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectableText = true;
        s.multiLine = true;
        s.readOnly = pane()->isReadOnly();
        s.editable = !s.readOnly;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? text(0, characterCount()) : QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value)
            replaceText(0, characterCount(), text);
        else
            QAccessibleWidget::setText(t, text);
    }

    // Reading and selecting.
    QString text(int start, int end) const override
    {
        const auto [from, to] = range(start, end);
        return pane()->textBetween(from, to);
    }
    int characterCount() const override { return pane()->document()->characterCount() - 1; }
    int cursorPosition() const override { return pane()->textCursor().position(); }
    void setCursorPosition(int position) override { setSelection(0, position, position); }
    int selectionCount() const override { return pane()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int index, int *start, int *end) const override
    {
        const QTextCursor cursor = pane()->textCursor();
        const bool shown = index == 0 && cursor.hasSelection();
        *start = shown ? cursor.selectionStart() : 0;
        *end = shown ? cursor.selectionEnd() : 0;
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            setSelection(0, cursorPosition(), cursorPosition());
    }
    void setSelection(int index, int start, int end) override
    {
        if (index != 0)
            return;
        QTextCursor cursor = pane()->textCursor();
        cursor.setPosition(clamped(start));
        cursor.setPosition(clamped(end), QTextCursor::KeepAnchor);
        pane()->setTextCursor(cursor);
    }
    // Nothing stands before the first unit, nor after the last.
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        const int from = boundaries(offset, type).first;
        return from > 0 ? textAt(from - 1, type, start, end) : none(0, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        // At the end of a word the cursor still stands in it: the next unit
        // is the first that starts there or later.
        const int after = boundaries(offset, type).second;
        for (int at = after; at < characterCount(); ++at)
            if (boundaries(at, type).first >= after)
                return textAt(at, type, start, end);
        return none(characterCount(), start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return textAt(offset, type, start, end);
    }

    // Where the text stands on the screen.
    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(pane()->document());
        cursor.setPosition(clamped(offset));
        QRect r = pane()->cursorRect(cursor);
        r.setWidth(pane()->fontMetrics().horizontalAdvance(text(offset, offset + 1)));
        return QRect(pane()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint at = pane()->viewport()->mapFromGlobal(point);
        return pane()->viewport()->rect().contains(at) ? pane()->cursorForPosition(at).position() : -1;
    }
    // As Qt's own view of a plain text editor, it leaves the scrolling to the user.
    void scrollToSubstring(int, int) override {}
    // One face and size throughout.
    QString attributes(int offset, int *start, int *end) const override
    {
        const bool inside = offset >= -2 && offset <= characterCount();
        *start = inside ? 0 : -1;
        *end = inside ? characterCount() : -1;
        const QFontInfo face(pane()->font());
        return inside ? QStringLiteral("font-family:\"%1\";font-size:%2pt;").arg(face.family()).arg(face.pointSize())
                      : QString();
    }

    // Editing, each edit one step of the pane's undo history.
    void deleteText(int start, int end) override { pane()->replaceRange(start, end, QString()); }
    void insertText(int offset, const QString &text) override { pane()->replaceRange(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override { pane()->replaceRange(start, end, text); }

private:
    OutputPane *pane() const { return static_cast<OutputPane *>(widget()); }
    int clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }
    std::pair<int, int> range(int start, int end) const { return std::minmax(clamped(start), clamped(end)); }
    std::pair<int, int> boundaries(int offset, QAccessible::TextBoundaryType type) const
    {
        QTextCursor cursor(pane()->document());
        cursor.setPosition(clamped(offset));
        return QAccessible::qAccessibleTextBoundaryHelper(cursor, type);
    }
    static QString none(int at, int *start, int *end)
    {
        *start = *end = at;
        return QString();
    }
    QString textAt(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const
    {
        std::tie(*start, *end) = boundaries(offset, type);
        return text(*start, *end);
    }
};

QAccessibleInterface *create(const QString &, QObject *object)
{
    if (auto *pane = qobject_cast<OutputPane *>(object))
        return new PaneAccessible(pane);
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
