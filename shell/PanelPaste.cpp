#include "PanelPaste.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

PanelPaste::PanelPaste(const MainForm &form, QWidget *window, Paste paste)
    : QObject(window), m_form(form), m_window(window), m_paste(std::move(paste))
{
    for (const MainForm::Panel &panel : m_form.panels) {
        // The value boxes are disabled: their clicks and drops reach the frame.
        panel.frame->setAcceptDrops(true);
        for (QWidget *w : {static_cast<QWidget *>(panel.frame), static_cast<QWidget *>(panel.hide),
                           static_cast<QWidget *>(panel.copy)})
            w->installEventFilter(this);
    }
}

bool PanelPaste::eventFilter(QObject *watched, QEvent *event)
{
    int e = 0;
    while (e < MatrixState::EdgeCount && watched != m_form.panels[e].frame && watched != m_form.panels[e].hide &&
           watched != m_form.panels[e].copy)
        ++e;
    if (e == MatrixState::EdgeCount)
        return false;
    const auto edge = static_cast<MatrixState::Edge>(e);
    const bool onFrame = watched == m_form.panels[e].frame;
    switch (event->type()) {
    case QEvent::ContextMenu: {
        const auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        openMenu(edge, static_cast<QWidget *>(watched),
                 menuEvent->reason() == QContextMenuEvent::Mouse ? menuEvent->globalPos() : QPoint());
        return true;
    }
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Not every platform makes a context menu of these keys itself; where
        // one does, the key comes while the menu is open, and goes to it.
        const bool menuKey =
            key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
        if (onFrame || !(menuKey || key->matches(QKeySequence::Paste)))
            return false;
        event->accept(); // no shortcut of the window's takes the key
        if (event->type() == QEvent::KeyPress && menuKey)
            openMenu(edge, static_cast<QWidget *>(watched), QPoint());
        else if (event->type() == QEvent::KeyPress)
            pasteClipboard(edge);
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        if (!onFrame)
            return false;
        auto *drop = static_cast<QDropEvent *>(event);
        // Taken as a copy only: whoever dragged it, the pane say, keeps its text.
        if (!drop->mimeData()->hasText() || !(drop->possibleActions() & Qt::CopyAction)) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop) {
            // Pasted once the drag has ended, so that a refusal is not told from inside it.
            QMetaObject::invokeMethod(
                this, [this, edge, text = drop->mimeData()->text()] { m_paste(edge, text); }, Qt::QueuedConnection);
        }
        return true;
    }
    default:
        return false;
    }
}

void PanelPaste::openMenu(MatrixState::Edge edge, QWidget *over, QPoint at)
{
    QMenu *&menu = m_menus[edge];
    if (menu && menu->isVisible())
        return;
    if (!menu) {
        menu = new QMenu(m_window);
        menu->setAccessibleName(m_form.panels[edge].frame->accessibleName());
        menu->addAction(tr("&Paste values"), this, [this, edge] { pasteClipboard(edge); });
    }
    // From the keyboard, below the focused button rather than where the pointer happens to be.
    menu->popup(at.isNull() ? over->mapToGlobal(QPoint(0, over->height())) : at);
}

void PanelPaste::pasteClipboard(MatrixState::Edge edge)
{
    m_paste(edge, QGuiApplication::clipboard()->text());
}
