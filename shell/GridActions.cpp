#include "GridActions.h"

#include "GridEditor.h"
#include "StandardKeys.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QUndoStack>

namespace {

// The menu's items, in the order of the model's transforms.
struct TransformEntry
{
    const char *item;
    QKeyCombination key;
};
constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
const TransformEntry Transforms[MatrixState::TransformCount] = {
    {QT_TRANSLATE_NOOP("GridActions", "Shift u&p"), QKeyCombination(Qt::ControlModifier, Qt::Key_Up)},
    {QT_TRANSLATE_NOOP("GridActions", "Shift &down"), QKeyCombination(Qt::ControlModifier, Qt::Key_Down)},
    {QT_TRANSLATE_NOOP("GridActions", "Shift &left"), QKeyCombination(Qt::ControlModifier, Qt::Key_Left)},
    {QT_TRANSLATE_NOOP("GridActions", "Shift &right"), QKeyCombination(Qt::ControlModifier, Qt::Key_Right)},
    {QT_TRANSLATE_NOOP("GridActions", "&Mirror left to right"), QKeyCombination(Qt::ControlModifier, Qt::Key_M)},
    {QT_TRANSLATE_NOOP("GridActions", "&Flip top to bottom"), QKeyCombination(CtrlShift, Qt::Key_M)},
    {QT_TRANSLATE_NOOP("GridActions", "Rotate &clockwise"), QKeyCombination(Qt::ControlModifier, Qt::Key_T)},
    {QT_TRANSLATE_NOOP("GridActions", "Rotate &anticlockwise"), QKeyCombination(CtrlShift, Qt::Key_T)},
    {QT_TRANSLATE_NOOP("GridActions", "&Invert"), QKeyCombination(Qt::ControlModifier, Qt::Key_I)},
};


bool isTextBox(const QObject *o)
{
    return qobject_cast<const QLineEdit *>(o) || qobject_cast<const QPlainTextEdit *>(o);
}

} // namespace

GridActions::GridActions(GridEditor *editor, QWidget *window, std::function<bool()> fiveBySeven,
                         std::function<void()> showGlyphs)
    : QObject(window), m_editor(editor), m_window(window), m_fiveBySeven(std::move(fiveBySeven))
{
    QUndoStack *stack = editor->undoStack();
    m_undo = stack->createUndoAction(this, tr("&Undo"));
    m_undo->setShortcuts(standardKeys(QKeySequence::Undo, {QKeyCombination(Qt::ControlModifier, Qt::Key_Z)}));
    m_redo = stack->createRedoAction(this, tr("R&edo"));
    m_redo->setShortcuts(standardKeys(QKeySequence::Redo, {QKeyCombination(Qt::ControlModifier, Qt::Key_Y),
                                                   QKeyCombination(CtrlShift, Qt::Key_Z)}));
    // The stack's own triggers would leave a stroke going on.
    for (QAction *a : {m_undo, m_redo})
        a->disconnect(stack);
    connect(m_undo, &QAction::triggered, editor, &GridEditor::undo);
    connect(m_redo, &QAction::triggered, editor, &GridEditor::redo);
    window->addActions({m_undo, m_redo});
    for (int t = 0; t < MatrixState::TransformCount; ++t) {
        QAction *a = m_transforms[t] = new QAction(tr(Transforms[t].item), this);
        a->setShortcut(Transforms[t].key);
        const auto transform = static_cast<MatrixState::Transform>(t);
        connect(a, &QAction::triggered, this, [this, transform] { m_editor->transform(transform, m_fiveBySeven()); });
        window->addAction(a);
    }
    m_glyphs = new QAction(tr("&Glyphs..."), this);
    m_glyphs->setShortcut(QKeyCombination(Qt::ControlModifier, Qt::Key_G));
    connect(m_glyphs, &QAction::triggered, this, std::move(showGlyphs));
    m_previous = new QAction(this);
    m_previous->setShortcut(QKeyCombination(Qt::ControlModifier, Qt::Key_PageUp));
    connect(m_previous, &QAction::triggered, this,
            [this] { m_editor->chooseGlyph(m_editor->set().current() - 1); });
    m_next = new QAction(this);
    m_next->setShortcut(QKeyCombination(Qt::ControlModifier, Qt::Key_PageDown));
    connect(m_next, &QAction::triggered, this, [this] { m_editor->chooseGlyph(m_editor->set().current() + 1); });
    window->addActions({m_glyphs, m_previous, m_next});
    for (QAction *a : window->actions())
        a->setShortcutVisibleInContextMenu(true);
    // After the stack's own connections, so that the focus has the last word.
    connect(stack, &QUndoStack::canUndoChanged, this, &GridActions::update);
    connect(stack, &QUndoStack::canRedoChanged, this, &GridActions::update);
    connect(qApp, &QApplication::focusChanged, this, &GridActions::update);
    update();
}

void GridActions::update()
{
    const bool grid = !isTextBox(QApplication::focusWidget());
    m_undo->setEnabled(grid && m_editor->undoStack()->canUndo());
    m_redo->setEnabled(grid && m_editor->undoStack()->canRedo());
    const bool five = m_fiveBySeven();
    for (int t = 0; t < MatrixState::TransformCount; ++t)
        m_transforms[t]->setEnabled(grid && MatrixState::canTransform(static_cast<MatrixState::Transform>(t), five));
    for (QAction *a : {m_glyphs, m_previous, m_next})
        a->setEnabled(grid);
}

void GridActions::popup(const QPoint &globalPos)
{
    m_editor->endStroke();
    if (!m_menu) {
        m_menu = new QMenu(m_window);
        m_menu->setAccessibleName(tr("Grid"));
        m_menu->addActions({m_undo, m_redo});
        for (int t = 0; t < MatrixState::TransformCount; ++t) {
            if (t == 0 || t == static_cast<int>(MatrixState::Transform::Mirror) ||
                t == static_cast<int>(MatrixState::Transform::RotateClockwise) ||
                t == static_cast<int>(MatrixState::Transform::Invert))
                m_menu->addSeparator();
            m_menu->addAction(m_transforms[t]);
        }
        m_menu->addSeparator();
        m_menu->addAction(m_glyphs);
    }
    update();
    m_menu->popup(globalPos);
}
